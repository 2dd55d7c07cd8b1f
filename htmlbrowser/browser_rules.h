// The browser's decisions that need no window: which URLs are pictures,
// the page that shows one, form encoding, where a POST goes, when loaded
// pictures ask for a new layout, and where the page-text file lies.
#pragma once

#include <string>

// The text after the URL's last '.' is jpg, gif or png (any case).
bool IsPictureUrl(const char16_t* url);
// The generated yellow page that shows a picture URL.
std::u16string PicturePage(const char16_t* url);
// ASCII letters and digits stay, a space becomes '+', anything else
// "%xx" of its UTF-16 code in lower-case hexadecimal, at least two digits.
std::u16string UrlEncode(const char16_t* text);

struct PostTarget {
    std::u16string host;
    int port = 80;
    std::u16string path;  // from the '/' after the host; "/" when none
};
// The host (with its ":port" split off), port and object path of a form's action.
PostTarget SplitPostTarget(const char16_t* action);

// After a picture has loaded: the page is laid out again when all have
// loaded or the count reaches a step of a tenth of the smallest power of
// ten (at least 10) not below the total; otherwise only repainted.
bool RelayoutAfterPicture(int loaded, int total);

// The program's path with everything from its last '.' replaced by ".txt".
std::u16string PageTextPath(const std::u16string& modulePath);

// A "Submit(N)" link: the form index N, else -1 (with isSubmit false).
int SubmitLinkForm(const char16_t* url, bool& isSubmit);
