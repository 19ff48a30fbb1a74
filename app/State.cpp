#include "Pathgrab.h"

#include <utility>

namespace Pathgrab {

TText TargetLongPath;
TText TargetFileName;
TText TargetBaseName;
TText TargetFolder;
TText TargetShortPath;
TText TargetUncPath;
int TargetRepoDepth = -1;
TText TargetWebAddress;
TText TargetUserFolderPath;

namespace {
// Swapped with an empty one, so that the memory really goes now.
void Release(TText& T) {
    TText empty;
    std::swap(T, empty);
}
} // namespace

void ReleaseTargets() {
    TargetRepoDepth = -1;
    Release(TargetUncPath);
    Release(TargetWebAddress);
    Release(TargetUserFolderPath);
    Release(TargetShortPath);
    Release(TargetFolder);
    Release(TargetBaseName);
    Release(TargetFileName);
    Release(TargetLongPath);
}

} // namespace Pathgrab
