// The start page's three tooltip texts, as the program gives them, for
// the gallery and the tooltip's tests and demo.
#pragma once

inline const wchar_t* const kTooltips[] = {
    L"<table>\r\n<tr><td><ilst idres=159 cx=32 cy=32 mask width=200% height=200% speed=1></td><td><h3>\r\n"
    L"<h3>SCAN TYPE</h3><br><hr color=green><br><h3>Standard Scan</h3>\t<font color=black size=10pt > Select "
    L"Standard Scan to recover <br><t><t><t></font><font color=black size=10pt > deleted iPod files. "
    L"<br><t><t><t></font><br><h3></h3>\t<font color=black size=10pt ><br><t><t><t><br><t><t><t><br><t><t><t>"
    L"<br></td></tr></table>",
    L"<table>\r\n<tr><td><ilst idres=159 cx=32 cy=32 mask width=200% height=200% speed=1></td><td><h3>\r\n"
    L"<h3>SCAN TYPE</h3><br><hr color=green><br><h3>Advance Scan</h3>\t<font color=black size=10pt >Select "
    L"Advance Scan to recover every<br><t><t><t></font><font color=black size=10pt > file in situations when "
    L"iPod could<br><t><t><t> not be recognized, is inaccessible,</font><br><h3></h3>\t\t\t<font color=black "
    L"size=10pt > gets frozen, and displays sad face <br><t><t><t> and exclamation marks.<br><t><t><t><br>"
    L"<t><t><t><br></td></tr></table>",
    L"<table>\r\n<tr><td><ilst idres=159 cx=32 cy=32 mask width=200% height=200% speed=1></td><td><h3>\r\n"
    L"<h3>SCAN TYPE</h3><br><hr color=green><br><h3>Raw Scan</h3>\t<font color=black size=10pt >Select Raw "
    L"Scan to recover files in<br><t><t><t></font><font color=black size=10pt > any corruption case where iPod "
    L"gets<br><t><t><t> recognized as drive letter.</font><br><h3></h3>\t<font color=black size=10pt ><br>"
    L"<t><t><t><br><t><t><t><br><t><t><t><br></td></tr></table>",
};
