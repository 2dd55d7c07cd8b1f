// The expand-button pictures of an XP visual style: our stand-in library,
// put where the paint manager looks for it, gives the eight pictures under
// an XP colour scheme; without the scheme or without the library the
// panel draws the tinted glyphs, on which the chevrons show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "../dib_canvas.h"
#include "color_scheme.h"
#include "task_panel_fixture.h"

namespace {

// The colours of the stand-in pictures (shell_style/make_shell_style_pictures.py).
const COLORREF kPictureColors[8] = {RGB(200, 30, 30), RGB(30, 160, 30),  RGB(30, 30, 200), RGB(200, 160, 30),
                                    RGB(160, 30, 160), RGB(30, 160, 160), RGB(120, 60, 0),  RGB(0, 60, 120)};
const int kNoLibrary = -1;

// The colour scheme reports the chosen XP scheme until it goes.
class ChosenScheme {
 public:
  explicit ChosenScheme(XPSchemeId scheme) { GetColorScheme()->SetChosenXPScheme(scheme); }
  ~ChosenScheme() {
    GetColorScheme()->SetChosenXPScheme(xpSystem);
    GetColorScheme()->RefreshColors();
  }
  ChosenScheme(const ChosenScheme&) = delete;
  ChosenScheme& operator=(const ChosenScheme&) = delete;
};

// The stand-in library, built beside this program, copied to a path in the
// prefix with the folders it needs; the copy and the new folders go again.
class PlacedLibrary {
 public:
  explicit PlacedLibrary(const std::wstring& path) : m_path(path) {
    WCHAR self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring source(self);
    source = source.substr(0, source.rfind(L'\\') + 1) + L"shellstyle.dll";
    for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1)) {
      std::wstring folder = path.substr(0, slash);
      if (::CreateDirectoryW(folder.c_str(), nullptr)) m_created.push_back(folder);
    }
    m_placed = ::CopyFileW(source.c_str(), path.c_str(), FALSE) != FALSE;
  }
  ~PlacedLibrary() {
    if (m_placed) ::DeleteFileW(m_path.c_str());
    for (auto folder = m_created.rbegin(); folder != m_created.rend(); ++folder) ::RemoveDirectoryW(folder->c_str());
  }
  PlacedLibrary(const PlacedLibrary&) = delete;
  PlacedLibrary& operator=(const PlacedLibrary&) = delete;

  bool m_placed = false;

 private:
  std::wstring m_path;
  std::vector<std::wstring> m_created;
};

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

int ChannelDistance(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
         std::abs(GetBValue(a) - GetBValue(b));
}

// Top left of the expand button on a drawn caption.
CPoint ButtonOrigin(CTkTaskPanelGroup* group) {
  CRect caption = group->GetCaptionRect();
  return CPoint(caption.right - 23, std::max(static_cast<int>(caption.top), static_cast<int>(caption.CenterPoint().y) - 10));
}

TEST(TaskPanelGlyphs, PicturesComeFromTheStyleLibraryOfTheActiveScheme) {
  struct Case {
    const char* name;
    int theme;
    XPSchemeId scheme;
    int libraryFor;  // the scheme whose folder gets the library
    bool pictures;
  } cases[] = {
      {"blue", 2, xpBlue, xpBlue, true},
      {"olive", 2, xpOlive, xpOlive, true},
      {"silver", 2, xpSilver, xpSilver, true},
      {"glyph theme", 6, xpBlue, xpBlue, true},
      {"another colour's folder", 2, xpOlive, xpBlue, false},
      {"no library", 2, xpBlue, kNoLibrary, false},
      {"no scheme", 2, xpNone, xpBlue, false},
      {"no scheme, glyph theme", 6, xpNone, xpBlue, false},
  };
  for (const Case& c : cases) {
    ChosenScheme scheme(c.scheme);
    std::unique_ptr<PlacedLibrary> library;
    if (c.libraryFor != kNoLibrary) {
      library = std::make_unique<PlacedLibrary>(
          static_cast<LPCWSTR>(CTkTaskPanelPainter::GetShellStylePath(c.libraryFor)));
      ASSERT_TRUE(library->m_placed) << c.name;
    }
    PanelFixture f(240, 300);
    f.panel.SelectPaintTheme(c.theme);
    CTkTaskPanelPainter* painter = f.panel.GetPaintManager();
    EXPECT_EQ(c.pictures, painter->m_bGlyphPicturesLoaded != FALSE) << c.name;
    EXPECT_EQ(c.pictures, painter->m_hNormalGlyph == nullptr) << c.name;
    EXPECT_EQ(c.pictures, painter->m_hSpecialGlyph == nullptr) << c.name;
    if (c.theme != 2) continue;

    CTkTaskPanelGroup* normal = f.AddGroup(L"Normal", 1);
    CTkTaskPanelGroup* special = f.AddGroup(L"Special", 1);
    CTkTaskPanelGroup* collapsed = f.AddGroup(L"Collapsed", 1);
    special->SetSpecial(TRUE);
    collapsed->SetExpanded(FALSE);
    DibCanvas canvas(240, 300);
    f.panel.DrawPanel(&canvas.dc);
    ::GdiFlush();
    struct Spot {
      CTkTaskPanelGroup* group;
      int picture;  // normal, normal collapsed, special
    } spots[] = {{normal, 0}, {collapsed, 2}, {special, 4}};
    for (const Spot& s : spots) {
      CPoint origin = ButtonOrigin(s.group);
      COLORREF centre = canvas.Pixel(origin.x + 10, origin.y + 10);
      if (c.pictures) {
        EXPECT_EQ(kPictureColors[s.picture], centre) << c.name << " picture " << s.picture;
        // The half transparent rim over what the transparent corner shows:
        // premultiplied pictures blend, straight ones would come out light.
        COLORREF behind = canvas.Pixel(origin.x + 10, origin.y);
        COLORREF rim = canvas.Pixel(origin.x + 10, origin.y + 1);
        COLORREF blended = MixTaskPanelColors(kPictureColors[s.picture], behind, 128);
        EXPECT_TRUE(Near(blended, rim, 2)) << c.name << " picture " << s.picture << " rim " << std::hex << rim
                                           << " expected " << blended;
      } else {
        for (COLORREF color : kPictureColors) EXPECT_NE(color, centre) << c.name;
        // The chevron, in the caption text colour, shows on the glyph's face.
        COLORREF face = canvas.Pixel(origin.x + 4, origin.y + 9);
        COLORREF chevron = painter->GetGroupColors(s.group)->captionText;
        EXPECT_GT(ChannelDistance(face, chevron), 150) << c.name << " picture " << s.picture << " face " << std::hex
                                                       << face << " chevron " << chevron;
      }
    }
  }
}

}  // namespace
