#include "task_panel_demo.h"

#include "image_manager.h"

void PopulateDemoTaskPanel(CTkTaskPanel& panel, CEdit& edit, int theme, int mode) {
  static const LPCWSTR icons[] = {IDI_APPLICATION, IDI_INFORMATION, IDI_WARNING, IDI_ERROR, IDI_QUESTION, IDI_WINLOGO};
  for (UINT i = 0; i < 6; ++i)
    panel.GetImageManager()->SetIcon(CTkIconHandle(::LoadIconW(nullptr, icons[i])), i, 32, 32);
  panel.SetPanelMode(mode);
  panel.SelectPaintTheme(theme);

  CTkTaskPanelGroup* tasks = panel.AddGroup(L"Recovery tasks", 0);
  tasks->SetSpecial(TRUE);
  tasks->AddItem(L"Scan a drive", kTaskItemLink, 1, 1)->SetTooltip(L"Looks for deleted files");
  tasks->AddItem(L"Open a snapshot", kTaskItemLink, 2, 2);
  tasks->AddItem(L"Recover selected files", kTaskItemLink, 3, 3);

  CTkTaskPanelGroup* filter = panel.AddGroup(L"Filter");
  filter->AddItem(L"Only names matching the pattern below are listed.", kTaskItemText);
  edit.Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, CRect(0, 0, 0, 0), &panel, 200);
  edit.SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
  edit.SetWindowText(L"*.jpg");
  CTkTaskPanelGroupItem* control = filter->AddItem(L"", kTaskItemControl);
  control->SetItemSize(CSize(0, 22));
  control->SetControlWindow(edit.GetSafeHwnd());

  CTkTaskPanelGroup* details = panel.AddGroup(L"Details");
  details->AddItem(L"Drive: iPod (FAT32)", kTaskItemText);
  details->AddItem(L"Found: 412 files", kTaskItemText);
  details->SetExpanded(FALSE);

  CTkTaskPanelGroup* kinds = panel.AddGroup(L"File kinds");
  kinds->SetLayout(kLayoutImagesOnly);
  for (int i = 0; i < 6; ++i) kinds->AddItem(L"Kind", kTaskItemLink, i, 10 + i);
  if (mode != kPanelModeIndependent) tasks->SetExpanded(TRUE);
}
