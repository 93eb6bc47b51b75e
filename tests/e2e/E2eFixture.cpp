#include "E2eFixture.h"

#include <fstream>
#include <sstream>

namespace sentrel::e2e {

std::vector<test::StoreKind> WineRegistryOnly() {
    std::vector<test::StoreKind> kinds;
    for (const test::StoreKind& kind : test::AllStores())
        if (kind.name == "Win32") kinds.push_back(kind);
    return kinds;
}

TempLog::TempLog(const std::string& name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    path_ = std::string(folder) + name;
    Clear();
}

std::string TempLog::Text() const {
    std::ifstream file(path_, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void TempLog::Clear() const { DeleteFileA(path_.c_str()); }

}  // namespace sentrel::e2e
