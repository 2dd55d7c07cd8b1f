#include "file_system_form.h"

#include "engine_ui.h"
#include "volumes/boot_params.h"
#include "wizard_state.h"

namespace {

// Rows 1 to 5.
const UINT kCaptionIds[5] = {32812, 32813, 32814, 32815, 32816};
const UINT kValueIds[5] = {32818, 32819, 32820, 32817, 32821};
const int kRowY[5] = {70, 90, 110, 130, 150};
const UINT kHintId = 170;
const UINT kModeId = 61482;
const UINT kGroupId = 61479;

const LPCWSTR kFatCaptions[5] = {L"", L"File System Start    :", L"Sectors Per Cluster :",
                                 L"File System Size     :", L""};
const LPCWSTR kNtfsCaptions[5] = {L"File System Start    :", L"Sectors Per Cluster :", L"MFT Start               :",
                                  L"MFT Mirror Start      :", L"File System Size     :"};

CString Unsigned(uint32_t value) {
  CString text;
  text.Format(L"%lu", static_cast<unsigned long>(value));
  return text;
}

bool IsFormStatic(UINT id) {
  if (id == kHintId || id == kModeId) return true;
  return id >= 32812 && id <= 32821;
}

}  // namespace

CString FoundVolumeSizeText(uint32_t firstSector, uint32_t endSector) {
  if (endSector == 0) return L"Unknown";
  CString text;
  text.Format(L"%lu MB", static_cast<unsigned long>((endSector - firstSector) >> 11));
  return text;
}

IMPLEMENT_DYNCREATE(CFileSystemForm, CView)

BEGIN_MESSAGE_MAP(CFileSystemForm, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {
CFileSystemForm* currentForm = nullptr;
}  // namespace

CFileSystemForm* TheFileSystemForm() { return currentForm; }

CFileSystemForm::~CFileSystemForm() {
  if (currentForm == this) currentForm = nullptr;
  delete FormFont;
  if (FormBrush != nullptr) ::DeleteObject(FormBrush);
}

int CFileSystemForm::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  const CRect none(0, 0, 0, 0);
  const DWORD visible = WS_CHILD | WS_VISIBLE;
  FormBrush = ::CreateSolidBrush(RGB(255, 255, 255));
  // Captions clip at their width rather than wrap into the row below.
  for (int row = 0; row < 5; ++row)
    CaptionStatics[row].Create(L"", visible | SS_LEFTNOWORDWRAP, none, this, kCaptionIds[row]);
  for (int row = 0; row < 5; ++row) ValueStatics[row].Create(L"", visible, none, this, kValueIds[row]);
  ModeLine.Create(L"", visible, none, this, kModeId);
  FormGroup.Create(L"FileSystem Information", visible | BS_GROUPBOX | BS_CENTER | BS_NOTIFY, none, this, kGroupId);
  FormGroup.SetBackgroundColor(RGB(255, 255, 255));
  FormFont = new CFont;
  FormFont->CreateFont(16, 0, 0, 0, 400, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Arial");
  for (int row = 0; row < 5; ++row) {
    CaptionStatics[row].SetFont(FormFont);
    ValueStatics[row].SetFont(FormFont);
  }
  ModeLine.SetFont(FormFont);
  HintLine.Create(L"", visible, CRect(100, 0, 700, 200), this, kHintId);
  HintLine.SetFont(FormFont);
  // The form only shows; the tree beside it takes the input.
  EnableWindow(FALSE);
  currentForm = this;
  return 0;
}

void CFileSystemForm::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  if (FormGroup.GetSafeHwnd() == nullptr) return;
  FormGroup.MoveWindow(50, 50, 470, 300);
  ModeLine.MoveWindow(50, 370, cx - 60, cy - 375);
  HintLine.MoveWindow(50, 5, cx - 60, 35);
  for (int row = 0; row < 5; ++row) {
    CaptionStatics[row].MoveWindow(80, kRowY[row], 140, 20);
    ValueStatics[row].MoveWindow(250, kRowY[row], 160, 20);
  }
}

void CFileSystemForm::OnDraw(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, RGB(255, 255, 255));
  CString shown;
  ModeLine.GetWindowText(shown);
  if (shown != SelectedModeText) ModeLine.SetWindowText(SelectedModeText);
}

void CFileSystemForm::OnLButtonDown(UINT nFlags, CPoint point) {
  PageHooks().ActivatePage(kFileSystemPage);
  CView::OnLButtonDown(nFlags, point);
}

HBRUSH CFileSystemForm::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (pWnd != nullptr && IsFormStatic(static_cast<UINT>(pWnd->GetDlgCtrlID()))) {
    pDC->SetBkColor(RGB(255, 255, 255));
    pDC->SetTextColor(RGB(0, 0, 0));
    return FormBrush;
  }
  (void)nCtlColor;
  return ::GetSysColorBrush(COLOR_WINDOW);
}

void CFileSystemForm::SetCaptions(const LPCWSTR (&captions)[5]) {
  for (int row = 0; row < 5; ++row) CaptionStatics[row].SetWindowText(captions[row]);
}

void CFileSystemForm::ClearValues() {
  for (CStatic& value : ValueStatics) value.SetWindowText(L"");
}

void CFileSystemForm::ShowFatCaptions() {
  SetCaptions(kFatCaptions);
  ClearValues();
}

void CFileSystemForm::ShowFatValues(const CString& start, const CString& sectorsPerCluster, const CString& size) {
  ShowFatCaptions();
  CaptionStatics[0].ShowWindow(SW_HIDE);
  CaptionStatics[0].EnableWindow(FALSE);
  ValueStatics[0].ShowWindow(SW_HIDE);
  ValueStatics[0].EnableWindow(FALSE);
  ValueStatics[1].SetWindowText(start);
  ValueStatics[2].SetWindowText(sectorsPerCluster);
  ValueStatics[3].SetWindowText(size);
}

void CFileSystemForm::ShowNtfsCaptions() {
  for (CStatic* row : {&CaptionStatics[0], &ValueStatics[0]}) {
    row->ShowWindow(SW_SHOW);
    row->EnableWindow(TRUE);
  }
  SetCaptions(kNtfsCaptions);
  ClearValues();
}

void CFileSystemForm::ShowNtfsValues(const CString (&values)[5]) {
  ShowNtfsCaptions();
  for (int row = 0; row < 5; ++row) ValueStatics[row].SetWindowText(values[row]);
}

void CFileSystemForm::ShowCaptionsForType(int type) {
  if (type == kFat16 || type == kFat32)
    ShowFatCaptions();
  else if (type == kNtfs)
    ShowNtfsCaptions();
}

void CFileSystemForm::ShowPickedVolume() {
  const PartitionParametersRecord& p = PartitionParameters;
  const CString size = FoundVolumeSizeText(p.cluster0Sector, p.volumeEndSector);
  if (p.scannedType == kFat16 || p.scannedType == kFat32) {
    ShowFatValues(Unsigned(p.cluster0Sector), Unsigned(p.sectorsPerCluster), size);
  } else if (p.scannedType == kNtfs) {
    const CString values[5] = {Unsigned(p.cluster0Sector), Unsigned(p.sectorsPerCluster), Unsigned(p.mftStart),
                               Unsigned(p.mftMirrStart), size};
    ShowNtfsValues(values);
  }
}
