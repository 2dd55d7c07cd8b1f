// Variants, currency and date texts, and the DAO classes where no database
// engine is installed (as under Wine).
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "framework.h"
#include "ole_variant.h"

namespace {

TEST(OleVariant, CopiesOwnTheirValue) {
  COleVariant text(L"orders");
  COleVariant copy = text;
  text.Clear();
  EXPECT_EQ(text.vt, VT_EMPTY);
  ASSERT_EQ(copy.vt, VT_BSTR);
  EXPECT_STREQ(copy.bstrVal, L"orders");
  COleVariant other(7L, VT_I4);
  other = copy;
  EXPECT_STREQ(other.bstrVal, L"orders");
  other = other;
  EXPECT_STREQ(other.bstrVal, L"orders");

  VARIANT raw;
  VariantInit(&raw);
  raw.vt = VT_BSTR;
  raw.bstrVal = SysAllocString(L"taken");
  COleVariant taker;
  taker.Attach(raw);
  EXPECT_EQ(raw.vt, VT_EMPTY);
  EXPECT_STREQ(taker.bstrVal, L"taken");
  EXPECT_EQ(COleVariant(1L, VT_BOOL).boolVal, VARIANT_TRUE);
  EXPECT_EQ(COleVariant(-3L, VT_I2).iVal, -3);
}

TEST(OleVariant, CurrencyAndDateTexts) {
  struct Amount {
    LONGLONG scaled;
    const wchar_t* plain;
  } amounts[] = {
      {0, L"0.0000"},
      {12345678, L"1234.5678"},
      {-5, L"-0.0005"},
      {LLONG_MIN, L"-922337203685477.5808"},
  };
  for (const Amount& a : amounts) {
    CY value;
    value.int64 = a.scaled;
    WCHAR expected[128] = {};
    GetCurrencyFormatW(LOCALE_USER_DEFAULT, 0, a.plain, nullptr, expected, 128);
    EXPECT_EQ(std::wstring(COleCurrency(value).Format()), expected) << a.plain;
  }
  struct Day {
    DATE date;
    const wchar_t* text;
  } days[] = {{45360.75, L"03 09 24"}, {2.0, L"01 01 00"}, {36526.0, L"01 01 00"}, {-1.0e12, L""}};
  for (const Day& d : days) EXPECT_EQ(std::wstring(COleDateTime(d.date).Format(L"%m %d %y")), d.text) << d.date;
}

// Every operation of a database, a table definition and a record set
// throws a CDaoException that tells the user the engine is missing.
TEST(DaoClasses, WithoutTheEngineEveryOperationSaysItIsMissing) {
  CoInitialize(nullptr);
  AfxDaoInit();
  auto expectMissing = [](const char* what, auto operation) {
    try {
      operation();
      ADD_FAILURE() << what << " did not throw";
    } catch (CDaoException* e) {
      ASSERT_NE(e->m_pErrorInfo, nullptr) << what;
      EXPECT_NE(std::wstring(e->m_pErrorInfo->m_strDescription).find(L"not installed"), std::wstring::npos) << what;
      WCHAR text[256] = {};
      EXPECT_TRUE(e->GetErrorMessage(text, 256));
      EXPECT_EQ(std::wstring(text), std::wstring(e->m_pErrorInfo->m_strDescription));
      e->Delete();
    }
  };
  CDaoDatabase database;
  CDaoTableDefInfo table;
  CDaoQueryDefInfo query;
  CDaoRelationInfo relation;
  expectMissing("Open", [&] { database.Open(L"C:\\no\\orders.mdb"); });
  EXPECT_FALSE(database.IsOpen());
  expectMissing("GetTableDefCount", [&] { database.GetTableDefCount(); });
  expectMissing("GetTableDefInfo", [&] { database.GetTableDefInfo(0, table); });
  expectMissing("GetQueryDefCount", [&] { database.GetQueryDefCount(); });
  expectMissing("GetQueryDefInfo", [&] { database.GetQueryDefInfo(0, query); });
  expectMissing("GetRelationCount", [&] { database.GetRelationCount(); });
  expectMissing("GetRelationInfo", [&] { database.GetRelationInfo(0, relation); });
  expectMissing("DeleteTableDef", [&] { database.DeleteTableDef(L"Orders"); });
  expectMissing("DeleteQueryDef", [&] { database.DeleteQueryDef(L"Totals"); });
  expectMissing("OpenTableDef", [&] { database.OpenTableDef(L"Orders"); });
  expectMissing("OpenDynaset", [&] { database.OpenDynaset(L"Select * From [Orders]"); });
  CDaoTableDef definition(&database);
  expectMissing("CDaoTableDef::Open", [&] { definition.Open(L"Orders"); });
  CDaoRecordset records(&database);
  expectMissing("CDaoRecordset::Open", [&] { records.Open(dbOpenDynaset, L"Select * From [Orders]"); });
  EXPECT_FALSE(records.IsOpen());
  records.Close();
  database.Close();
}

}  // namespace
