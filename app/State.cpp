#include "Pathgrab.h"

namespace Pathgrab {

std::string TargetLongPath;
std::string TargetFileName;
std::string TargetBaseName;
std::string TargetFolder;
std::string TargetShortPath;

void ReleaseTargets() {
    std::string().swap(TargetShortPath);
    std::string().swap(TargetFolder);
    std::string().swap(TargetBaseName);
    std::string().swap(TargetFileName);
    std::string().swap(TargetLongPath);
}

} // namespace Pathgrab
