// mulvara-harness recover IMAGE DESTINATION [volume options] [--path PATH]...:
// scans the volume and writes every found file (or those at or below the
// paths given), live and deleted, into DESTINATION with the folder tree,
// names and times. One line per file: recovered PATH TARGET, or failed PATH.
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "engine_state.h"
#include "recovery_run.h"
#include "text.h"

int RecoverCommand(int argc, char** argv) {
    if (argc < 2) return Usage();
    VolumeOptions options;
    options.image = argv[0];
    std::u16string destination = Utf8ToUtf16(argv[1]);
    std::vector<std::u16string> chosen;
    for (int i = 2; i < argc;) {
        if (std::string(argv[i]) == "--path") {
            if (i + 1 >= argc) return Usage();
            chosen.push_back(Utf8ToUtf16(argv[i + 1]));
            i += 2;
            continue;
        }
        int used = ParseVolumeOption(argc, argv, i, options);
        if (used <= 0) return Usage();
        i += used;
    }
    if (!FileExists(destination)) {
        std::fprintf(stderr, "mulvara-harness: the folder %s does not exist\n", argv[1]);
        return 1;
    }
    if (!SelectVolume(options)) return 1;
    RecordingUi ui;
    if (!RunStandardScan(ui)) return 1;

    return PrintRecovery(ui, destination, chosen);
}

int PrintRecovery(const RecordingUi& ui, const std::u16string& destination,
                  const std::vector<std::u16string>& chosen) {
    int written = 0, failed = 0;
    for (const RecoveredItem& item : RecoverFoundFiles(ui, destination, chosen)) {
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
    return 0;
}
