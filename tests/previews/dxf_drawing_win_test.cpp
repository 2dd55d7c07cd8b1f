// The drawing library wrapper under Wine: without the library, with a
// stand-in that lacks one entry point, and with a whole stand-in.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "dxf_drawing.h"

namespace {

typedef const char*(WINAPI* CallsProc)();
typedef BYTE*(WINAPI* PropertiesProc)();

// Makes the stand-in in `folder` (beside the test program) loadable by name.
std::wstring StandinFolder(const wchar_t* folder) {
    WCHAR path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring program(path);
    return program.substr(0, program.find_last_of(L"\\/") + 1) + folder;
}

TEST(DxfDrawing, AnswersZeroWithoutTheLibrary) {
    CDxfDrawing drawing;
    EXPECT_FALSE(drawing.Load());
    EXPECT_FALSE(drawing.IsUsable());
    EXPECT_FALSE(drawing.Create());
    EXPECT_FALSE(drawing.HasDrawing());
    EXPECT_FALSE(drawing.LoadFile("a.dxf", nullptr));
    EXPECT_FALSE(drawing.ZoomExtents());
    EXPECT_EQ(drawing.GetZoom(), 0.0);
    EXPECT_FALSE(drawing.SetZoom(2.0));
}

TEST(DxfDrawing, NeedsAllTwentyEntryPoints) {
    SetDllDirectoryW(StandinFolder(L"dxf_partial").c_str());
    CDxfDrawing drawing;
    EXPECT_FALSE(drawing.Load());
    EXPECT_FALSE(drawing.Create());
    SetDllDirectoryW(nullptr);
}

TEST(DxfDrawing, ZoomsAroundTheWindowCentre) {
    SetDllDirectoryW(StandinFolder(L"dxf_standin").c_str());
    CDxfDrawing drawing;
    ASSERT_TRUE(drawing.Load());
    HMODULE library = GetModuleHandleW(L"DXF.dll");
    ASSERT_NE(library, nullptr);
    auto calls = reinterpret_cast<CallsProc>(reinterpret_cast<void*>(GetProcAddress(library, "standinCalls")));
    auto record = reinterpret_cast<PropertiesProc>(reinterpret_cast<void*>(GetProcAddress(library, "standinProperties")));
    ASSERT_TRUE(drawing.Create());
    EXPECT_TRUE(drawing.LoadFile("drawing.dxf", nullptr));
    EXPECT_TRUE(drawing.InitView(0, 0, 600, 200));
    EXPECT_TRUE(drawing.ZoomExtents());
    EXPECT_STREQ(calls(), "drwCreate drwLoadDataFromFile drwInitView drwZoomExtents ");

    DxfViewProperties start = {};
    start.left = 0, start.top = 0, start.right = 601, start.bottom = 201;
    start.originX = 10, start.originY = -5, start.scale = 4, start.zoom = 1;
    start.reserved40[3] = 0x5A;
    memcpy(record(), &start, sizeof start);
    auto centre = [&](const DxfViewProperties& p) {
        double k = 1 / (p.zoom * p.scale);
        return std::make_pair(p.originX + 300 * k, p.originY + 100 * k);
    };
    auto before = centre(start);
    for (double factor : {1.5, 1.5, 0.6666666666666666}) ASSERT_TRUE(drawing.SetZoom(drawing.GetZoom() * factor));
    DxfViewProperties after;
    memcpy(&after, record(), sizeof after);
    EXPECT_DOUBLE_EQ(after.zoom, 2.25 * 0.6666666666666666);
    EXPECT_DOUBLE_EQ(centre(after).first, before.first);
    EXPECT_DOUBLE_EQ(centre(after).second, before.second);
    EXPECT_EQ(after.reserved40[3], 0x5A) << "other bytes pass back unchanged";

    after.zoom = 0;
    memcpy(record(), &after, sizeof after);
    EXPECT_FALSE(drawing.SetZoom(3.0)) << "no centre at zoom 0";
    EXPECT_TRUE(drawing.Destroy());
    EXPECT_FALSE(drawing.HasDrawing());
    EXPECT_NE(std::string(calls()).find("drwDestroy"), std::string::npos);
    drawing.Unload();
    SetDllDirectoryW(nullptr);
}

}  // namespace
