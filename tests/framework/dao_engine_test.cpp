// The DAO classes over a scripted engine of this test program: automation
// objects answering by name what the classes ask, registered for this
// process only under a class id of the test's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework.h"

namespace {

// {7C4E2A10-5B3D-4F61-8E92-1A0B3C4D5E6F}
const CLSID kScriptedEngine = {0x7c4e2a10, 0x5b3d, 0x4f61, {0x8e, 0x92, 0x1a, 0x0b, 0x3c, 0x4d, 0x5e, 0x6f}};

// An automation object whose members are functions by name. A member gets
// its arguments first to last and fills the result; one that throws a
// std::wstring raises that description as an automation error.
class Scripted final : public IDispatch {
 public:
  using Member = std::function<void(const std::vector<VARIANT>& args, VARIANT* result)>;
  static int live;
  static std::vector<std::wstring> log;

  explicit Scripted(std::map<std::wstring, Member> members) : m_members(std::move(members)) { ++live; }
  ~Scripted() { --live; }

  STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
      *ppv = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHOD_(ULONG, AddRef)() override { return ++m_references; }
  STDMETHOD_(ULONG, Release)() override {
    const ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
  }
  STDMETHOD(GetTypeInfoCount)(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHOD(GetIDsOfNames)
  (REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (count != 1) return E_INVALIDARG;
    DISPID id = 1;
    for (const auto& member : m_members) {
      if (_wcsicmp(member.first.c_str(), names[0]) == 0) {
        *ids = id;
        return S_OK;
      }
      ++id;
    }
    *ids = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  STDMETHOD(Invoke)
  (DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info, UINT*) override {
    auto member = m_members.begin();
    for (DISPID n = 1; n < id && member != m_members.end(); ++n) ++member;
    if (id < 1 || member == m_members.end()) return DISP_E_MEMBERNOTFOUND;
    std::vector<VARIANT> args(params->rgvarg, params->rgvarg + params->cArgs);
    std::reverse(args.begin(), args.end());
    if (result != nullptr) ::VariantInit(result);
    try {
      member->second(args, result);
    } catch (const std::wstring& description) {
      *info = {};
      info->wCode = 3011;
      info->bstrSource = ::SysAllocString(L"DAO.Scripted");
      info->bstrDescription = ::SysAllocString(description.c_str());
      return DISP_E_EXCEPTION;
    }
    return S_OK;
  }

 private:
  std::map<std::wstring, Member> m_members;
  ULONG m_references = 1;
};

int Scripted::live = 0;
std::vector<std::wstring> Scripted::log;

void SetObject(VARIANT* result, Scripted* object) {
  result->vt = VT_DISPATCH;
  result->pdispVal = object;  // the new object's one reference passes on
}
void SetLong(VARIANT* result, long value) {
  result->vt = VT_I4;
  result->lVal = value;
}
void SetText(VARIANT* result, const std::wstring& text) {
  result->vt = VT_BSTR;
  result->bstrVal = ::SysAllocString(text.c_str());
}
std::wstring TextOf(const VARIANT& value) {
  VARIANT copy;
  ::VariantInit(&copy);
  std::wstring text;
  if (SUCCEEDED(::VariantChangeType(&copy, const_cast<VARIANT*>(&value), 0, VT_BSTR)) && copy.bstrVal != nullptr)
    text = copy.bstrVal;
  ::VariantClear(&copy);
  return text;
}

using Row = std::vector<std::wstring>;

// A collection of made objects, by index or by their "Name".
Scripted* Collection(const std::wstring& label, std::vector<std::wstring> names,
                     std::function<Scripted*(size_t index)> make, bool raiseOnItem = false) {
  return new Scripted({
      {L"Count", [names](const auto&, VARIANT* r) { SetLong(r, static_cast<long>(names.size())); }},
      {L"Item",
       [=](const std::vector<VARIANT>& args, VARIANT* r) {
         if (raiseOnItem) throw std::wstring(L"Could not read " + label);
         size_t index = names.size();
         if (args.at(0).vt == VT_BSTR) {
           for (size_t n = 0; n < names.size(); ++n)
             if (names[n] == args[0].bstrVal) index = n;
         } else {
           index = static_cast<size_t>(std::stol(TextOf(args.at(0))));
         }
         if (index >= names.size()) throw std::wstring(L"Item not found in this collection.");
         SetObject(r, make(index));
       }},
      {L"Delete", [label](const std::vector<VARIANT>& args,
                          VARIANT*) { Scripted::log.push_back(label + L".Delete " + TextOf(args.at(0))); }},
  });
}

// Orders (two fields, three rows), a system table, a query of each kind
// and one relation; reading a query's details fails when asked to.
Scripted* ScriptedDatabase(bool queriesFail) {
  struct Table {
    std::wstring name;
    long attributes;
  };
  const std::vector<Table> tables = {{L"Orders", 0}, {L"MSysObjects", static_cast<long>(0x80000002)}};
  const std::vector<Row> rows = {{L"1", L"Pears"}, {L"2", L"Plums"}, {L"3", L""}};
  auto field = [](const std::wstring& name, long type, long size) {
    return new Scripted({{L"Name", [=](const auto&, VARIANT* r) { SetText(r, name); }},
                         {L"Type", [=](const auto&, VARIANT* r) { SetLong(r, type); }},
                         {L"Size", [=](const auto&, VARIANT* r) { SetLong(r, size); }}});
  };
  auto table = [=](size_t index) {
    const Table t = tables[index];
    return new Scripted({
        {L"Name", [t](const auto&, VARIANT* r) { SetText(r, t.name); }},
        {L"Attributes", [t](const auto&, VARIANT* r) { SetLong(r, t.attributes); }},
        {L"Fields",
         [=](const auto&, VARIANT* r) {
           SetObject(r, Collection(L"Fields", {L"Id", L"Fruit"},
                                   [=](size_t n) { return n == 0 ? field(L"Id", 4, 4) : field(L"Fruit", 10, 50); }));
         }},
    });
  };
  std::vector<std::wstring> tableNames;
  for (const Table& t : tables) tableNames.push_back(t.name);
  auto query = [](size_t index) {
    const std::wstring name = index == 0 ? L"Totals" : L"~sq_hidden";
    const long type = index == 0 ? 0 : 5;
    return new Scripted({{L"Name", [=](const auto&, VARIANT* r) { SetText(r, name); }},
                         {L"Type", [=](const auto&, VARIANT* r) { SetLong(r, type); }}});
  };
  auto relation = [](size_t) {
    return new Scripted({{L"Name", [](const auto&, VARIANT* r) { SetText(r, L"OrdersCustomers"); }},
                         {L"Table", [](const auto&, VARIANT* r) { SetText(r, L"Customers"); }},
                         {L"ForeignTable", [](const auto&, VARIANT* r) { SetText(r, L"Orders"); }},
                         {L"Attributes", [](const auto&, VARIANT* r) { SetLong(r, 256); }}});
  };
  auto recordset = [rows](const std::vector<VARIANT>& args, VARIANT* r) {
    Scripted::log.push_back(L"OpenRecordset " + TextOf(args.at(0)) + L" " + TextOf(args.at(1)));
    if (TextOf(args.at(0)).find(L"[Missing]") != std::wstring::npos)
      throw std::wstring(
          L"The Microsoft Jet database engine cannot find the "
          L"input table or query 'Missing'.");
    auto position = std::make_shared<size_t>(0);
    auto value = [rows, position](size_t column) {
      return new Scripted({{L"Value", [=](const auto&, VARIANT* v) {
                              if (*position >= rows.size()) throw std::wstring(L"No current record.");
                              const std::wstring& text = rows[*position][column];
                              if (text.empty())
                                v->vt = VT_NULL;
                              else
                                SetText(v, text);
                            }}});
    };
    SetObject(r, new Scripted({
                     {L"EOF",
                      [=](const auto&, VARIANT* v) {
                        v->vt = VT_BOOL;
                        v->boolVal = *position >= rows.size() ? VARIANT_TRUE : VARIANT_FALSE;
                      }},
                     {L"Fields",
                      [=](const auto&, VARIANT* v) {
                        SetObject(v, Collection(L"Fields", {L"Id", L"Fruit"}, value));
                      }},
                     {L"MoveNext",
                      [=](const auto&, VARIANT*) {
                        Scripted::log.push_back(L"MoveNext");
                        ++*position;
                      }},
                     {L"Close", [](const auto&, VARIANT*) { Scripted::log.push_back(L"Recordset.Close"); }},
                 }));
  };
  return new Scripted({
      {L"TableDefs", [=](const auto&, VARIANT* r) { SetObject(r, Collection(L"TableDefs", tableNames, table)); }},
      {L"QueryDefs",
       [=](const auto&, VARIANT* r) {
         SetObject(r, Collection(L"QueryDefs", {L"Totals", L"~sq_hidden"}, query, queriesFail));
       }},
      {L"Relations",
       [=](const auto&, VARIANT* r) { SetObject(r, Collection(L"Relations", {L"OrdersCustomers"}, relation)); }},
      {L"OpenRecordset", recordset},
      {L"Close", [](const auto&, VARIANT*) { Scripted::log.push_back(L"Database.Close"); }},
  });
}

class EngineFactory final : public IClassFactory {
 public:
  bool queriesFail = false;
  STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *ppv = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHOD_(ULONG, AddRef)() override { return 2; }
  STDMETHOD_(ULONG, Release)() override { return 1; }
  STDMETHOD(CreateInstance)(IUnknown*, REFIID riid, void** ppv) override {
    const bool failing = queriesFail;
    auto* engine = new Scripted({{L"OpenDatabase", [failing](const std::vector<VARIANT>& args, VARIANT* r) {
                                    const std::wstring name = TextOf(args.at(0));
                                    Scripted::log.push_back(L"OpenDatabase " + name);
                                    if (name.find(L"damaged") != std::wstring::npos)
                                      throw std::wstring(L"Unrecognized database format '" + name + L"'.");
                                    SetObject(r, ScriptedDatabase(failing));
                                  }}});
    const HRESULT hr = engine->QueryInterface(riid, ppv);
    engine->Release();
    return hr;
  }
  STDMETHOD(LockServer)(BOOL) override { return S_OK; }
};

class DaoEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    Scripted::log.clear();
    ASSERT_HRESULT_SUCCEEDED(
        CoRegisterClassObject(kScriptedEngine, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
    AfxDaoUseEngineClass(kScriptedEngine);
  }
  void TearDown() override {
    AfxDaoTerm();
    CoRevokeClassObject(cookie);
    EXPECT_EQ(Scripted::live, 0);
    CoUninitialize();
  }
  // The description a CDaoException carries, empty when none is thrown.
  template <typename Operation>
  static std::wstring RaisedDescription(Operation operation) {
    try {
      operation();
    } catch (CDaoException* e) {
      std::wstring text = e->m_pErrorInfo != nullptr ? std::wstring(e->m_pErrorInfo->m_strDescription) : L"";
      e->Delete();
      return text;
    }
    return L"";
  }

  EngineFactory factory;
  DWORD cookie = 0;
};

TEST_F(DaoEngine, ReadsTablesQueriesRelationsAndFields) {
  CDaoDatabase database;
  database.Open(L"C:\\data\\shop.mdb");
  ASSERT_TRUE(database.IsOpen());
  EXPECT_EQ(database.GetName(), L"C:\\data\\shop.mdb");
  ASSERT_EQ(database.GetTableDefCount(), 2);
  CDaoTableDefInfo table;
  database.GetTableDefInfo(1, table);
  EXPECT_EQ(table.m_strName, L"MSysObjects");
  EXPECT_EQ(static_cast<unsigned long>(table.m_lAttributes), 0x80000002ul);
  ASSERT_EQ(database.GetQueryDefCount(), 2);
  CDaoQueryDefInfo query;
  database.GetQueryDefInfo(1, query);
  EXPECT_EQ(query.m_strName, L"~sq_hidden");
  EXPECT_EQ(query.m_nType, 5);
  ASSERT_EQ(database.GetRelationCount(), 1);
  CDaoRelationInfo relation;
  database.GetRelationInfo(0, relation);
  EXPECT_EQ(relation.m_strName, L"OrdersCustomers");
  EXPECT_EQ(relation.m_strTable, L"Customers");
  EXPECT_EQ(relation.m_strForeignTable, L"Orders");
  EXPECT_EQ(relation.m_lAttributes, 256);

  std::unique_ptr<DaoTableSource> definition = database.OpenTableDef(L"Orders");
  ASSERT_EQ(definition->GetFieldCount(), 2);
  CDaoFieldInfo field;
  definition->GetFieldInfo(1, field);
  EXPECT_EQ(field.m_strName, L"Fruit");
  EXPECT_EQ(field.m_nType, 10);
  EXPECT_EQ(field.m_lSize, 50);
  definition.reset();

  database.DeleteTableDef(L"Orders");
  database.DeleteQueryDef(L"Totals");
  database.Close();
  EXPECT_FALSE(database.IsOpen());
  EXPECT_EQ(Scripted::log, (std::vector<std::wstring>{L"OpenDatabase C:\\data\\shop.mdb", L"TableDefs.Delete Orders",
                                                      L"QueryDefs.Delete Totals", L"Database.Close"}));
}

TEST_F(DaoEngine, DynasetReadsEveryRecordToItsEnd) {
  CDaoDatabase database;
  database.Open(L"shop.mdb");
  {
    std::unique_ptr<DaoRecordSource> records = database.OpenDynaset(L"Select * From [Orders]");
    ASSERT_EQ(records->GetFieldCount(), 2);
    std::vector<Row> read;
    while (!records->IsEOF()) {
      Row row;
      for (int n = 0; n < records->GetFieldCount(); ++n) {
        COleVariant value;
        records->GetFieldValue(n, value);
        row.push_back(value.vt == VT_NULL ? L"(null)" : TextOf(value));
      }
      read.push_back(row);
      records->MoveNext();
    }
    EXPECT_EQ(read, (std::vector<Row>{{L"1", L"Pears"}, {L"2", L"Plums"}, {L"3", L"(null)"}}));
    records->Close();
  }
  database.Close();
  EXPECT_EQ(Scripted::log,
            (std::vector<std::wstring>{L"OpenDatabase shop.mdb", L"OpenRecordset Select * From [Orders] 2", L"MoveNext",
                                       L"MoveNext", L"MoveNext", L"Recordset.Close", L"Database.Close"}));
}

TEST_F(DaoEngine, EngineErrorsArriveWithTheirDescription) {
  CDaoDatabase database;
  EXPECT_EQ(RaisedDescription([&] { database.Open(L"C:\\damaged.mdb"); }),
            L"Unrecognized database format 'C:\\damaged.mdb'.");
  EXPECT_FALSE(database.IsOpen());

  factory.queriesFail = true;
  database.Open(L"shop.mdb");
  CDaoQueryDefInfo query;
  EXPECT_EQ(RaisedDescription([&] { database.GetQueryDefInfo(0, query); }), L"Could not read QueryDefs");
  // The error leaves the database usable.
  EXPECT_EQ(database.GetTableDefCount(), 2);
  EXPECT_EQ(RaisedDescription([&] { database.OpenDynaset(L"Select * From [Missing]"); }),
            L"The Microsoft Jet database engine cannot find the input table or "
            L"query 'Missing'.");
  EXPECT_EQ(RaisedDescription([&] { database.OpenTableDef(L"Nowhere"); }), L"Item not found in this collection.");

  // The code and the text reach the user's message too.
  try {
    database.DeleteTableDef(L"Orders");
    database.GetQueryDefInfo(1, query);
    ADD_FAILURE() << "no error";
  } catch (CDaoException* e) {
    ASSERT_NE(e->m_pErrorInfo, nullptr);
    EXPECT_EQ(e->m_pErrorInfo->m_lErrorCode, 3011);
    EXPECT_EQ(e->m_pErrorInfo->m_strSource, L"DAO.Scripted");
    WCHAR text[128] = {};
    EXPECT_TRUE(e->GetErrorMessage(text, 128));
    EXPECT_STREQ(text, L"Could not read QueryDefs");
    e->Delete();
  }
  database.Close();
}

}  // namespace
