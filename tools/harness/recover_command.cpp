// mulvara-harness recover IMAGE DESTINATION [volume options] [--path PATH]...:
// scans the volume and writes every found file (or those at or below the
// paths given), live and deleted, into DESTINATION with the folder tree,
// names and times. One line per file: recovered PATH TARGET, or failed PATH.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "engine_ui.h"
#include "progress_line.h"
#include "progress_ui.h"
#include "recovery_run.h"
#include "text.h"

int RecoverCommand(int argc, char** argv) {
    VolumeOptions options;
    const char* image = Positional("recover", "IMAGE", argc, argv, 0);
    if (!image) return kExitUsage;
    const char* destinationPath = Positional("recover", "DESTINATION", argc, argv, 1);
    if (!destinationPath) return kExitUsage;
    options.image = image;
    std::vector<std::u16string> chosen;
    for (int i = 2; i < argc;) {
        if (std::strcmp(argv[i], "--path") == 0) {
            const char* value = OptionValue(argc, argv, i);
            if (!value) return kExitUsage;
            chosen.push_back(Utf8ToUtf16(value));
            i += 2;
            continue;
        }
        const int used = ParseVolumeOption(argc, argv, i, options);
        if (used < 0) return kExitUsage;
        if (used == 0) return UnknownArgument("recover", argv[i]);
        i += used;
    }
    if (!SelectVolume(options)) return kExitUnusable;
    const std::u16string destination = DestinationFolder(destinationPath);
    if (destination.empty()) return kExitUnusable;
    ProgressUi ui;
    if (!RunStandardScan(ui)) return kExitUnusable;

    return PrintRecovery(ui, destination, chosen);
}

int PrintRecovery(const RecordingUi& ui, const std::u16string& destination,
                  const std::vector<std::u16string>& chosen) {
    std::vector<RecoveredItem> results;
    {
        ProgressLine line(stderr, StandardErrorIsTerminal());
        results = RecoverFoundFiles(ui, destination, chosen, [&line](size_t done, size_t total) {
            if (line.Due()) line.Show(FileCountProgress("recovering", done, total));
        });
    }
    int written = 0, failed = 0;
    for (const RecoveredItem& item : results) {
        if (item.written) {
            ++written;
            std::u16string target = item.target.substr(destination.size());
            while (!target.empty() && (target[0] == u'/' || target[0] == u'\\')) target.erase(0, 1);
            Print(u"recovered\t" + item.path + u"\t" + target + u"\n");
        } else {
            ++failed;
            Print(u"failed\t" + item.path + u"\n");
        }
    }
    std::printf("total\trecovered %d\tfailed %d\n", written, failed);

    // A path that names nothing found was not recovered either.
    int status = failed ? kExitNotRecovered : kExitDone;
    for (const std::u16string& path : chosen) {
        bool found = false;
        for (const RecoveredItem& item : results) found = found || LiesAtOrBelow(item.path, path);
        for (TreeItem folder = 1; folder <= ui.tree.size() && !found; ++folder)
            found = LiesAtOrBelow(ui.ItemPath(folder), path);
        if (!found) {
            ShowError("nothing found at " + Utf16ToUtf8(path));
            status = kExitNotRecovered;
        }
    }
    return status;
}
