// The Access preview's tree and record list over a scripted database: no
// database engine exists under Wine, so the views read a source that
// answers from tables held here and throws where a test asks.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app_message.h"
#include "database_views.h"
#include "shell_app.h"
#include "shell_document.h"

namespace {

class DatabaseTestApp : public CEx_StyleApp {};
DatabaseTestApp theApp;

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

[[noreturn]] void ThrowDao(LPCWSTR description) {
  auto* e = new CDaoException;
  e->m_scode = E_FAIL;
  e->m_pErrorInfo = new CDaoErrorInfo;
  e->m_pErrorInfo->m_strDescription = description;
  e->m_pErrorInfo->m_lErrorCode = 3000;
  throw e;
}

// A table's records are made on demand: value(row, field).
struct ScriptedTable {
  std::wstring name;
  long attributes = 0;
  std::vector<std::wstring> fields;
  int rows = 0;
  std::function<COleVariant(int, int)> value;
};

class ScriptedDatabase : public DaoSource {
 public:
  std::vector<ScriptedTable> tables;
  std::vector<std::pair<std::wstring, short>> queries;
  std::vector<std::pair<std::wstring, long>> relations;
  // Steps that throw: "table 1" (the second table's info), "fields",
  // "records", "move 5" (moving past record 5), "value 2 1" (record 2,
  // field 1), "delete Orders".
  std::map<std::wstring, std::wstring> failures;
  std::vector<std::wstring> deleted;

  void FailAt(const std::wstring& step, const std::wstring& description = L"Scripted failure") {
    failures[step] = description;
  }
  void Check(const std::wstring& step) const {
    auto found = failures.find(step);
    if (found != failures.end()) ThrowDao(found->second.c_str());
  }

  short GetTableDefCount() override { return static_cast<short>(tables.size()); }
  void GetTableDefInfo(int n, CDaoTableDefInfo& info) override {
    Check(L"table " + std::to_wstring(n));
    info.m_strName = tables.at(n).name.c_str();
    info.m_lAttributes = tables.at(n).attributes;
  }
  short GetQueryDefCount() override { return static_cast<short>(queries.size()); }
  void GetQueryDefInfo(int n, CDaoQueryDefInfo& info) override {
    Check(L"query " + std::to_wstring(n));
    info.m_strName = queries.at(n).first.c_str();
    info.m_nType = queries.at(n).second;
  }
  short GetRelationCount() override { return static_cast<short>(relations.size()); }
  void GetRelationInfo(int n, CDaoRelationInfo& info) override {
    Check(L"relation " + std::to_wstring(n));
    info.m_strName = relations.at(n).first.c_str();
    info.m_lAttributes = relations.at(n).second;
  }
  void DeleteTableDef(LPCWSTR name) override {
    Check(std::wstring(L"delete ") + name);
    deleted.push_back(std::wstring(L"table ") + name);
  }
  void DeleteQueryDef(LPCWSTR name) override {
    Check(std::wstring(L"delete ") + name);
    deleted.push_back(std::wstring(L"query ") + name);
  }

  const ScriptedTable& Find(const std::wstring& name) const {
    for (const ScriptedTable& table : tables)
      if (table.name == name) return table;
    ThrowDao(L"No such table");
  }

  struct Fields : DaoTableSource {
    const ScriptedDatabase* database;
    const ScriptedTable* table;
    short GetFieldCount() override { return static_cast<short>(table->fields.size()); }
    void GetFieldInfo(int n, CDaoFieldInfo& info) override {
      database->Check(L"field " + std::to_wstring(n));
      info.m_strName = table->fields.at(n).c_str();
    }
  };
  std::unique_ptr<DaoTableSource> OpenTableDef(LPCWSTR name) override {
    Check(L"fields");
    auto fields = std::make_unique<Fields>();
    fields->database = this;
    fields->table = &Find(name);
    return fields;
  }

  struct Records : DaoRecordSource {
    const ScriptedDatabase* database;
    const ScriptedTable* table;
    int at = 0;
    bool* closed;
    BOOL IsEOF() override { return at >= table->rows; }
    short GetFieldCount() override { return static_cast<short>(table->fields.size()); }
    void GetFieldValue(int n, COleVariant& value) override {
      database->Check(L"value " + std::to_wstring(at) + L" " + std::to_wstring(n));
      value = table->value(at, n);
    }
    void MoveNext() override {
      database->Check(L"move " + std::to_wstring(at));
      ++at;
    }
    void Close() override { *closed = true; }
  };
  std::unique_ptr<DaoRecordSource> OpenDynaset(LPCWSTR query) override {
    Check(L"records");
    lastQuery = query;
    const std::wstring text = query;
    const size_t open = text.find(L'['), close = text.rfind(L']');
    auto records = std::make_unique<Records>();
    records->database = this;
    records->table = &Find(text.substr(open + 1, close - open - 1));
    records->closed = &recordsClosed;
    recordsClosed = false;
    return records;
  }
  std::wstring lastQuery;
  bool recordsClosed = false;
};

COleVariant Text(LPCWSTR text) { return COleVariant(text); }
COleVariant Number(long n) { return COleVariant(n, VT_I4); }

// Message boxes of this thread, recorded and answered as they open.
class MessageBoxes {
 public:
  explicit MessageBoxes(int answer) : m_answer(answer) {
    current = this;
    m_hook = SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
  }
  ~MessageBoxes() {
    UnhookWindowsHookEx(m_hook);
    current = nullptr;
  }
  struct Box {
    std::wstring caption, text;
  };
  std::vector<Box> shown;

 private:
  static BOOL CALLBACK CollectText(HWND child, LPARAM lParam) {
    WCHAR name[32] = {}, text[512] = {};
    GetClassNameW(child, name, 32);
    GetWindowTextW(child, text, 512);
    if (_wcsicmp(name, L"Static") == 0 && text[0] != 0) *reinterpret_cast<std::wstring*>(lParam) += text;
    return TRUE;
  }
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current != nullptr) {
      HWND box = reinterpret_cast<HWND>(wParam);
      WCHAR name[32] = {}, caption[256] = {};
      GetClassNameW(box, name, 32);
      if (wcscmp(name, L"#32770") == 0) {
        GetWindowTextW(box, caption, 256);
        Box record{caption, L""};
        EnumChildWindows(box, &CollectText, reinterpret_cast<LPARAM>(&record.text));
        current->shown.push_back(record);
        PostMessageW(box, WM_COMMAND, current->m_answer, 0);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline MessageBoxes* current = nullptr;
  HHOOK m_hook;
  int m_answer;
};

// A frame that keeps the texts its status bar was given.
class StatusFrame : public CFrameWnd {
 public:
  std::vector<std::wstring> messages;

 protected:
  afx_msg LRESULT OnSetMessageString(WPARAM, LPARAM lParam) {
    if (lParam != 0) messages.push_back(reinterpret_cast<LPCWSTR>(lParam));
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(StatusFrame, CFrameWnd)
  ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
END_MESSAGE_MAP()

class AccessView : public ::testing::Test {
 protected:
  void SetUp() override {
    theApp.ShowSystemObjects = 0;
    theApp.ConfirmDelete = 1;
    theApp.MaxTableRows = 10000;
    SetAppMessage(0, u"");
    frame = new StatusFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Access", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 820, 480)));
    theApp.m_pMainWnd = frame;
    document = new CEx_StyleDoc;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CMDB_View);
    context.m_pCurrentDoc = document;
    view = static_cast<CMDB_View*>(frame->CreateView(&context));
    ASSERT_NE(view, nullptr);
    frame->SetActiveView(view, FALSE);
    frame->RecalcLayout();
    PumpPending();
    ASSERT_EQ(document->DatabaseTree, view->Tree);
    ASSERT_EQ(document->RecordList, view->Records);
  }
  void TearDown() override {
    frame->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    PumpPending();
  }

  // What the document does once it has opened a database.
  void Open(ScriptedDatabase& database) {
    view->Tree->Database = &database;
    view->Records->Database = &database;
    view->Records->ClearList();
    view->Tree->PopulateTree();
    PumpPending();
  }
  CTreeCtrl& Tree() { return view->Tree->GetTreeCtrl(); }
  CListCtrl& List() { return view->Records->List; }
  int Columns() { return List().GetHeaderCtrl()->GetItemCount(); }
  std::vector<std::wstring> Children(HTREEITEM parent) {
    std::vector<std::wstring> names;
    for (HTREEITEM item = Tree().GetChildItem(parent); item != nullptr; item = Tree().GetNextSiblingItem(item))
      names.push_back(static_cast<LPCWSTR>(Tree().GetItemText(item)));
    return names;
  }
  HTREEITEM Child(HTREEITEM parent, LPCWSTR text) {
    for (HTREEITEM item = Tree().GetChildItem(parent); item != nullptr; item = Tree().GetNextSiblingItem(item))
      if (Tree().GetItemText(item) == text) return item;
    return nullptr;
  }
  HTREEITEM Table(LPCWSTR name) { return Child(view->Tree->TablesItem.Item, name); }
  void Select(HTREEITEM item) {
    Tree().SelectItem(item);
    PumpPending();
  }
  void PressDelete() {
    view->Tree->SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    view->Tree->SendMessage(WM_KEYUP, VK_DELETE, 0xC0000000);
    PumpPending();
  }
  std::wstring Cell(int row, int column) { return static_cast<LPCWSTR>(List().GetItemText(row, column)); }

  StatusFrame* frame = nullptr;
  CEx_StyleDoc* document = nullptr;
  CMDB_View* view = nullptr;
};

ScriptedDatabase Shop() {
  ScriptedDatabase database;
  database.tables = {
      {L"MSysObjects", static_cast<long>(0x80000002), {L"Id"}, 1, [](int, int) { return Number(1); }},
      {L"Customers", 0, {L"Name", L"City"}, 2,
       [](int row, int field) {
         static LPCWSTR const cells[2][2] = {{L"Ada", L"Leeds"}, {L"Bo", L"York"}};
         return Text(cells[row][field]);
       }},
      {L"MSysHidden", 2, {L"Id"}, 0, nullptr},
      {L"Orders", 0, {L"Number", L"Paid", L"Note"}, 3,
       [](int row, int field) {
         COleVariant value;
         if (field == 0) value = Number(100 + row);
         else if (field == 1) value = COleVariant(row % 2, VT_BOOL);
         else value.vt = VT_NULL;
         return value;
       }},
  };
  database.queries = {{L"Recent orders", 0}, {L"~sq_cHidden", 5}, {L"Totals", 2}};
  database.relations = {{L"CustomersOrders", 0}, {L"MSysRelation", 2}};
  return database;
}

TEST(VariantText, ShowsEachTypeAsTheListShowsIt) {
  SAFEARRAY* bytes = SafeArrayCreateVector(VT_UI1, 0, 4);
  struct Case {
    VARTYPE type;
    LONGLONG bits;
    std::wstring text;
  } cases[] = {
      {VT_EMPTY, 0, L"NULL"},
      {VT_NULL, 0, L"NULL"},
      {VT_I2, -7, L"-7"},
      {VT_I4, 123456, L"123456"},
      {VT_UI1, 0x0A, L"0x0A"},
      {VT_BOOL, VARIANT_TRUE, L"TRUE"},
      {VT_BOOL, 0, L"FALSE"},
      {VT_I8, 5, L"VT_I8"},
      {VT_DISPATCH, 0, L"VT_DISPATCH"},
      {VT_CLSID, 0, L"VT_CLSID"},
      {VT_DECIMAL, 0, L"Fish"},
      {VT_RECORD, 0, L"Fish"},
      {VT_ARRAY | VT_UI1, 0, L"Array of VT_UI1"},
      {VT_ARRAY | VT_I8, 0, L"Array of VT_I8"},
      {VT_ARRAY | VT_DECIMAL, 0, L"Array of "},
      {VT_BYREF | VT_I4, 0, L"FishPointer to VT_I4"},
      {VT_ARRAY | VT_BYREF | VT_BSTR, 0, L"Array of Pointer to VT_BSTR"},
      {VT_BYREF | VT_BOOL, 0, L"FishPointer to VT_BOOL"},
  };
  for (const Case& c : cases) {
    VARIANT value;
    VariantInit(&value);
    value.vt = c.type;
    value.llVal = c.bits;
    if (c.type == (VT_ARRAY | VT_UI1)) value.parray = bytes;
    EXPECT_EQ(std::wstring(VariantToText(value)), c.text) << "type 0x" << std::hex << c.type;
  }
  SafeArrayDestroy(bytes);

  VARIANT value;
  VariantInit(&value);
  value.vt = VT_R8;
  value.dblVal = 1.5;
  EXPECT_EQ(std::wstring(VariantToText(value)), L"1.500000e+00");
  value.vt = VT_R4;
  value.fltVal = -0.25f;
  EXPECT_EQ(std::wstring(VariantToText(value)), L"-2.500000e-01");
  value.vt = VT_DATE;
  value.date = 45360.75;  // 9 March 2024, 18:00
  EXPECT_EQ(std::wstring(VariantToText(value)), L"03 09 24");
  value.vt = VT_BSTR;
  value.bstrVal = SysAllocString(L"plain text");
  EXPECT_EQ(std::wstring(VariantToText(value)), L"plain text");
  VariantClear(&value);
  value.vt = VT_CY;
  value.cyVal.int64 = -12345678;  // -1234.5678
  WCHAR expected[64] = {};
  GetCurrencyFormatW(LOCALE_USER_DEFAULT, 0, L"-1234.5678", nullptr, expected, 64);
  EXPECT_EQ(std::wstring(VariantToText(value)), expected);
}

TEST_F(AccessView, TreeListsGroupsAndHidesSystemObjects) {
  ScriptedDatabase database = Shop();
  for (int all : {0, 1}) {
    theApp.ShowSystemObjects = all;
    Open(database);
    HTREEITEM root = Tree().GetRootItem();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Tree().GetItemText(root), L"Access DataBase");
    EXPECT_EQ(Children(root), (std::vector<std::wstring>{L"Tables", L"Relations", L"QueryDefs"}));
    EXPECT_TRUE(Tree().GetItemState(root, TVIS_EXPANDED) & TVIS_EXPANDED);
    std::vector<std::wstring> tables = {L"Customers", L"Orders"};
    std::vector<std::wstring> queries = {L"Recent orders", L"Totals"};
    std::vector<std::wstring> relations = {L"CustomersOrders"};
    if (all) {
      tables = {L"MSysObjects", L"Customers", L"MSysHidden", L"Orders"};
      queries = {L"Recent orders", L"~sq_cHidden", L"Totals"};
      relations = {L"CustomersOrders", L"MSysRelation"};
    }
    EXPECT_EQ(Children(view->Tree->TablesItem.Item), tables) << all;
    EXPECT_EQ(Children(view->Tree->QueriesItem.Item), queries) << all;
    EXPECT_EQ(Children(view->Tree->RelationsItem.Item), relations) << all;
    EXPECT_EQ(view->Tree->LastTableItem.GetText(), L"Orders");
    struct Image {
      HTREEITEM item;
      int image;
    } images[] = {{root, 0},
                  {view->Tree->TablesItem.Item, 3},
                  {view->Tree->RelationsItem.Item, 9},
                  {view->Tree->QueriesItem.Item, 11},
                  {Table(L"Orders"), 2},
                  {Child(view->Tree->QueriesItem.Item, L"Totals"), 10},
                  {Child(view->Tree->RelationsItem.Item, L"CustomersOrders"), 8}};
    for (const Image& i : images) EXPECT_EQ(CTreeItemRef(i.item, &Tree()).GetImage(), i.image);
  }
  EXPECT_EQ(view->Tree->Populating, 0);
}

TEST_F(AccessView, AnErrorCutsShortOnlyItsGroup) {
  struct Case {
    const wchar_t* step;
    std::vector<std::wstring> tables, queries, relations;
  } cases[] = {
      {L"table 1", {}, {L"Recent orders", L"Totals"}, {L"CustomersOrders"}},
      {L"table 3", {L"Customers"}, {L"Recent orders", L"Totals"}, {L"CustomersOrders"}},
      {L"query 1", {L"Customers", L"Orders"}, {L"Recent orders"}, {L"CustomersOrders"}},
      {L"relation 0", {L"Customers", L"Orders"}, {L"Recent orders", L"Totals"}, {}},
  };
  for (const Case& c : cases) {
    ScriptedDatabase database = Shop();
    database.FailAt(c.step);
    Open(database);
    EXPECT_EQ(Children(view->Tree->TablesItem.Item), c.tables) << c.step;
    EXPECT_EQ(Children(view->Tree->QueriesItem.Item), c.queries) << c.step;
    EXPECT_EQ(Children(view->Tree->RelationsItem.Item), c.relations) << c.step;
    EXPECT_EQ(GetAppMessage().kind, 0) << "structure errors are not reported";
  }
}

TEST_F(AccessView, OnlyATableLoadsTheList) {
  ScriptedDatabase database = Shop();
  Open(database);
  Select(Child(view->Tree->QueriesItem.Item, L"Totals"));
  Select(Child(view->Tree->RelationsItem.Item, L"CustomersOrders"));
  EXPECT_EQ(Columns(), 0);
  EXPECT_TRUE(database.lastQuery.empty());

  Select(Table(L"Orders"));
  EXPECT_EQ(database.lastQuery, L"Select * From [Orders]");
  EXPECT_TRUE(database.recordsClosed);
  ASSERT_EQ(Columns(), 4);
  std::vector<std::wstring> headers;
  for (int n = 0; n < 4; ++n) {
    WCHAR text[64] = {};
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = 64;
    List().GetColumn(n, &column);
    headers.push_back(text);
    EXPECT_EQ(column.cx, 100);
  }
  EXPECT_EQ(headers, (std::vector<std::wstring>{L"Index", L"Number", L"Paid", L"Note"}));
  ASSERT_EQ(List().GetItemCount(), 3);
  const std::wstring rows[3][4] = {{L"0", L"100", L"FALSE", L"NULL"},
                                   {L"1", L"101", L"TRUE", L"NULL"},
                                   {L"2", L"102", L"FALSE", L"NULL"}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(Cell(r, c), rows[r][c]) << r << "," << c;
  EXPECT_EQ(frame->messages.back(), L"Loaded 3 of 3 total records");

  // A query chosen afterwards leaves the table's rows alone; another table
  // replaces them.
  Select(Child(view->Tree->QueriesItem.Item, L"Recent orders"));
  EXPECT_EQ(List().GetItemCount(), 3);
  Select(Table(L"Customers"));
  EXPECT_EQ(Columns(), 3);
  ASSERT_EQ(List().GetItemCount(), 2);
  EXPECT_EQ(Cell(1, 2), L"York");
}

TEST_F(AccessView, LoadingErrorsAreReportedAndKeepWhatWasLoaded) {
  struct Case {
    const wchar_t* step;
    int columns, rows;
    bool reported;
    const wchar_t* status;  // null: none
  } cases[] = {
      {L"fields", 1, 3, true, L"Loaded 3 of 3 total records"},
      {L"field 1", 2, 3, true, L"Loaded 3 of 3 total records"},
      {L"records", 4, 0, true, nullptr},
      {L"move 1", 4, 2, true, nullptr},
      {L"value 1 0", 4, 3, false, L"Loaded 3 of 3 total records"},
  };
  for (const Case& c : cases) {
    ScriptedDatabase database = Shop();
    database.FailAt(c.step, L"Record is locked");
    Open(database);
    SetAppMessage(0, u"");
    frame->messages.clear();
    MessageBoxes boxes(IDOK);
    Select(Table(L"Orders"));
    EXPECT_EQ(Columns(), c.columns) << c.step;
    EXPECT_EQ(List().GetItemCount(), c.rows) << c.step;
    const AppMessage report = GetAppMessage();
    EXPECT_EQ(report.kind, c.reported ? 2 : 0) << c.step;
    if (c.reported) {
      EXPECT_NE(report.text.find(u"Record is locked"), std::u16string::npos) << c.step;
    }
    EXPECT_TRUE(boxes.shown.empty()) << c.step;
    if (c.status != nullptr) {
      ASSERT_FALSE(frame->messages.empty()) << c.step;
      EXPECT_EQ(frame->messages.back(), c.status) << c.step;
    } else {
      EXPECT_TRUE(frame->messages.empty()) << c.step;
    }
  }
  // The value that could not be read leaves its own cell empty, not a copy
  // of its neighbour's.
  EXPECT_EQ(Cell(1, 1), L"");
  EXPECT_EQ(Cell(1, 2), L"TRUE");
  EXPECT_EQ(Cell(0, 1), L"100");
}

TEST_F(AccessView, TheRecordLimitShowsTheBox) {
  struct Case {
    int records;
    bool box;
    const wchar_t* text;
  } cases[] = {
      {9999, false, L"Loaded 9999 of 9999 total records"},
      {10000, true, L"Loaded 10000 of 10000 total records"},
      {10003, true, L"Loaded 10000 of 10003 total records"},
  };
  for (const Case& c : cases) {
    ScriptedDatabase database;
    database.tables = {{L"Log", 0, {L"Id"}, c.records, [](int row, int) { return Number(row); }}};
    Open(database);
    frame->messages.clear();
    MessageBoxes boxes(IDOK);
    Select(Table(L"Log"));
    EXPECT_EQ(List().GetItemCount(), std::min(c.records, 10000)) << c.records;
    EXPECT_EQ(Cell(0, 0), L"0");
    EXPECT_EQ(Cell(9998, 1), L"9998");
    ASSERT_EQ(boxes.shown.size(), c.box ? 1u : 0u) << c.records;
    if (c.box) {
      EXPECT_EQ(boxes.shown[0].text, c.text);
      EXPECT_EQ(boxes.shown[0].caption, std::wstring(AfxGetAppName()));
    }
    ASSERT_FALSE(frame->messages.empty());
    EXPECT_EQ(frame->messages.back(), c.text);
  }
}

TEST_F(AccessView, DeleteRemovesTheRightClickedObject) {
  struct Case {
    const wchar_t* name;
    int confirm;
    int answer;
    const wchar_t* failure;  // the step that fails, or null
    int questions;
    std::vector<std::wstring> deleted;
  } cases[] = {
      {L"Customers", 1, IDYES, nullptr, 1, {L"table Customers"}},
      {L"Customers", 1, IDNO, nullptr, 1, {}},
      {L"Customers", 0, IDNO, nullptr, 0, {L"table Customers"}},
      {L"Totals", 0, IDNO, nullptr, 0, {L"query Totals"}},
      {L"Tables", 1, IDYES, nullptr, 1, {}},
      {L"CustomersOrders", 0, IDYES, nullptr, 0, {}},
      {L"Customers", 0, IDOK, L"delete Customers", 0, {}},
  };
  for (const Case& c : cases) {
    ScriptedDatabase database = Shop();
    if (c.failure != nullptr) database.FailAt(c.failure, L"Table 'Customers' is in use");
    theApp.ConfirmDelete = c.confirm;
    Open(database);
    // Another table is selected; the right click names the one to delete.
    Select(Table(L"Orders"));
    HTREEITEM target = Table(c.name);
    if (target == nullptr) target = Child(view->Tree->QueriesItem.Item, c.name);
    if (target == nullptr) target = Child(view->Tree->RelationsItem.Item, c.name);
    if (target == nullptr) target = Child(view->Tree->RootItem.Item, c.name);
    ASSERT_NE(target, nullptr) << c.name;
    Tree().EnsureVisible(target);
    CRect rect;
    Tree().GetItemRect(target, &rect, TRUE);
    CPoint point = rect.CenterPoint();
    view->Tree->ClientToScreen(&point);
    SetCursorPos(point.x, point.y);
    view->Tree->ScreenToClient(&point);
    view->Tree->PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
    view->Tree->PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    PumpPending();
    EXPECT_EQ(view->Tree->CurrentItem.Item, target) << c.name;
    EXPECT_EQ(Tree().GetItemText(Tree().GetSelectedItem()), L"Orders") << "a right click neither selects";

    MessageBoxes boxes(c.answer);
    PressDelete();
    int questions = 0;
    for (const auto& box : boxes.shown)
      if (box.text == L"Are you sure you want to delete this item ?") {
        ++questions;
        EXPECT_EQ(box.caption, L"ZizArid - Warning");
      }
    EXPECT_EQ(questions, c.questions) << c.name;
    EXPECT_EQ(database.deleted, c.deleted) << c.name;
    const bool gone = !c.deleted.empty();
    EXPECT_EQ(Table(c.name) == nullptr && Child(view->Tree->QueriesItem.Item, c.name) == nullptr &&
                  Child(view->Tree->RootItem.Item, c.name) == nullptr &&
                  Child(view->Tree->RelationsItem.Item, c.name) == nullptr,
              gone)
        << c.name;
    if (c.failure != nullptr) {
      ASSERT_EQ(boxes.shown.size(), 1u);
      EXPECT_EQ(boxes.shown[0].caption, L"ZizArid - Warning");
      EXPECT_EQ(boxes.shown[0].text, L"Table 'Customers' is in use");
    }
    if (gone) {
      // A second Delete must not reach the item that is gone.
      theApp.ConfirmDelete = 0;
      PressDelete();
      EXPECT_EQ(database.deleted.size(), 1u) << c.name;
    }
  }
}

// The list's pixels in a cell, taken from the screen.
std::vector<COLORREF> CellPixels(CListCtrl& list, int row, int column) {
  CRect cell;
  ListView_GetSubItemRect(list.GetSafeHwnd(), row, column, LVIR_BOUNDS, &cell);
  if (column == 0) cell.right = cell.left + list.GetColumnWidth(0);
  cell.DeflateRect(2, 1);
  list.ClientToScreen(&cell);
  HDC screen = GetDC(nullptr);
  std::vector<COLORREF> pixels;
  for (int y = cell.top; y < cell.bottom; ++y)
    for (int x = cell.left; x < cell.right; ++x) pixels.push_back(GetPixel(screen, x, y));
  ReleaseDC(nullptr, screen);
  return pixels;
}

int Count(const std::vector<COLORREF>& pixels, COLORREF colour) {
  return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

TEST_F(AccessView, StatusWordsColourTheRows) {
  ScriptedDatabase database;
  database.tables = {{L"Jobs", 0, {L"Status", L"Disk", L"Size", L"Owner", L"Place", L"Extra"}, 3,
                      [](int row, int field) {
                        static LPCWSTR const status[] = {L"Done", L"Progress", L"Waiting"};
                        return field == 0 ? Text(status[row]) : Text(L"IIIIIIIIII");
                      }}};
  Open(database);
  frame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 1100, 300, SWP_SHOWWINDOW);
  MessageBoxes boxes(IDOK);
  Select(Table(L"Jobs"));
  frame->UpdateWindow();
  view->Records->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);

  const COLORREF blue = RGB(0, 0, 255), green = RGB(0, 255, 0), black = RGB(0, 0, 0);
  const COLORREF backgrounds[] = {RGB(245, 243, 178), RGB(248, 233, 243), RGB(220, 242, 226),
                                  RGB(248, 233, 243), RGB(220, 242, 226), RGB(220, 242, 226)};
  for (int column = 0; column < 6; ++column) {
    const std::vector<COLORREF> done = CellPixels(List(), 0, column);
    EXPECT_GT(Count(done, backgrounds[column]), static_cast<int>(done.size()) / 2) << "Done, column " << column;
    if (column > 0) {
      EXPECT_GT(Count(done, blue), 0) << "Done, column " << column;
    }
    const std::vector<COLORREF> progress = CellPixels(List(), 1, column);
    EXPECT_GT(Count(progress, black), static_cast<int>(progress.size()) / 2) << "Progress, column " << column;
    if (column > 0) {
      EXPECT_GT(Count(progress, green), 0) << "Progress, column " << column;
    }
    const std::vector<COLORREF> other = CellPixels(List(), 2, column);
    EXPECT_EQ(Count(other, blue) + Count(other, green), 0) << "Waiting, column " << column;
    EXPECT_GT(Count(other, backgrounds[column]), static_cast<int>(other.size()) / 2) << "Waiting, column " << column;
  }
  // Column 6 keeps the list's own background.
  const std::vector<COLORREF> last = CellPixels(List(), 0, 6);
  EXPECT_GT(Count(last, GetSysColor(COLOR_WINDOW)), static_cast<int>(last.size()) / 2);
}

TEST_F(AccessView, DragAcceptsOnlyItsOwnFormatOverAnItem) {
  ScriptedDatabase database = Shop();
  Open(database);
  EXPECT_EQ(view->Tree->ClipboardFormat, RegisterClipboardFormatW(L"ZizArid"));
  struct Data : IDataObject {
    CLIPFORMAT format;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
      *out = this;
      return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* wanted) override {
      return wanted->cfFormat == format ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  };
  struct Case {
    bool current;
    CLIPFORMAT format;
    DROPEFFECT effect;
  } cases[] = {
      {true, static_cast<CLIPFORMAT>(view->Tree->ClipboardFormat), DROPEFFECT_COPY},
      {true, CF_TEXT, DROPEFFECT_NONE},
      {false, static_cast<CLIPFORMAT>(view->Tree->ClipboardFormat), DROPEFFECT_NONE},
  };
  for (const Case& c : cases) {
    view->Tree->CurrentItem = c.current ? CTreeItemRef(Table(L"Orders"), &Tree()) : CTreeItemRef();
    Data data;
    data.format = c.format;
    COleDataObject dragged;
    dragged.Attach(&data, FALSE);
    EXPECT_EQ(view->Tree->OnDragEnter(&dragged, 0, CPoint(5, 5)), c.effect);
    EXPECT_EQ(view->Tree->OnDragOver(&dragged, 0, CPoint(5, 5)), c.effect);
    EXPECT_FALSE(view->Tree->OnDrop(&dragged, DROPEFFECT_COPY, CPoint(5, 5)));
  }
}

TEST_F(AccessView, PanesSitInTheSplitter) {
  EXPECT_EQ(view->Tree->GetDlgCtrlID(), 189);
  EXPECT_EQ(view->Records->GetDlgCtrlID(), 190);
  EXPECT_EQ(view->Splitter.GetDlgCtrlID(), 157);
  EXPECT_EQ(view->Records->List.GetDlgCtrlID(), 186);
  EXPECT_EQ(view->Records->List.GetExtendedStyle() & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
            static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
  EXPECT_EQ(view->Tree->GetStyle() & (TVS_HASBUTTONS | TVS_HASLINES), static_cast<DWORD>(TVS_HASBUTTONS | TVS_HASLINES));
  EXPECT_TRUE(view->Tree->IsWindowVisible());
  EXPECT_TRUE(view->Records->IsWindowVisible());
  CRect tree, list, client;
  view->GetClientRect(&client);
  view->Tree->GetWindowRect(&tree);
  view->Records->GetWindowRect(&list);
  EXPECT_LT(tree.right, list.left) << "side by side";
  EXPECT_GE(tree.Width(), 150);
  EXPECT_GT(list.Width(), tree.Width());
  // The image strip's mask shows the window colour.
  CImageList* images = view->Tree->GetTreeCtrl().GetImageList(TVSIL_NORMAL);
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(images->GetImageCount(), 12);
  EXPECT_EQ(ImageList_GetBkColor(images->GetSafeHandle()), GetSysColor(COLOR_WINDOW));
  view->Tree->SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_EQ(ImageList_GetBkColor(images->GetSafeHandle()), GetSysColor(COLOR_WINDOW));
}

TEST_F(AccessView, ShownOverAScriptedDatabase) {
  ScriptedDatabase database = Shop();
  database.tables.push_back({L"Jobs", 0, {L"Status", L"Disk", L"Size"}, 4, [](int row, int field) {
                               static LPCWSTR const cells[4][3] = {{L"Done", L"C:", L"12 MB"},
                                                                   {L"Progress", L"D:", L"3 GB"},
                                                                   {L"Fail", L"E:", L"0 KB"},
                                                                   {L"Pending", L"F:", L"640 KB"}};
                               return Text(cells[row][field]);
                             }});
  Open(database);
  MessageBoxes boxes(IDOK);
  Select(Table(L"Jobs"));
  EXPECT_EQ(List().GetItemCount(), 4);
  // Kept on screen a while for a screenshot when asked.
  if (const char* pause = getenv("MULVARA_SHOT_PAUSE")) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(atoi(pause));
    while (GetTickCount() < end) {
      PumpPending();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
  }
}

}  // namespace
