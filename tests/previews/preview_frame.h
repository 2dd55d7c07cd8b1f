// The preview pane alone in a frame, over a folder of the test's own that
// is emptied and removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "preview_host.h"
#include "preview_state.h"
#include "shell_document.h"
#include "test_app.h"

class PreviewFrameTest : public ::testing::Test {
 protected:
  void MakeFolder(const std::wstring& path) {
    CoInitialize(nullptr);
    folder = path;
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  void OpenFrame() {
    NoFileSelectedFlag() = 1;
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Preview", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 500)));
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CMainPreviewView);
    context.m_pCurrentDoc = new CEx_StyleDoc;
    host = static_cast<CMainPreviewView*>(frame->CreateView(&context));
    ASSERT_NE(host, nullptr);
    frame->SetActiveView(host, FALSE);
    frame->RecalcLayout();
    NoFileSelectedFlag() = 0;
  }
  void CloseFrameAndFolder() {
    frame->DestroyWindow();
    PumpPending();
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do DeleteFileW((folder + L"\\" + found.cFileName).c_str());
      while (FindNextFileW(find, &found));
      FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
  }
  std::wstring File(const wchar_t* name) const { return folder + L"\\" + name; }
  void Show(const std::wstring& path) {
    host->CloseAllPreviews();
    const size_t dot = path.find_last_of(L'.');
    host->ChoosePreview(path.c_str(), dot == std::wstring::npos ? L"." : path.substr(dot).c_str());
    PumpPending();
  }

  std::wstring folder;
  CFrameWnd* frame = nullptr;
  CMainPreviewView* host = nullptr;
};
