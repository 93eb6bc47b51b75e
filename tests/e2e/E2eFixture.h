#pragma once
// End-to-end tests run the real Sentrel.exe against Wine's registry, prepared to look like a
// Windows XP workstation with or without the Novell client.
#include "SentrelDriver.h"
#include "support/Workstation.h"
#include "ui/ControlIds.h"

namespace sentrel::e2e {

class E2e : public test::WorkstationTest {
protected:
    std::string At(const std::string& path, const std::string& name) {
        return test::Show(store(), path, name);
    }
};

std::vector<test::StoreKind> WineRegistryOnly();

// A file in the temporary folder that a test's runs log to: gone before the test and after it.
class TempLog {
public:
    explicit TempLog(const std::string& name);
    ~TempLog() { Clear(); }
    TempLog(const TempLog&) = delete;
    TempLog& operator=(const TempLog&) = delete;

    const std::string& Path() const { return path_; }
    // The whole file, or empty.
    std::string Text() const;
    void Clear() const;

private:
    std::string path_;
};

}  // namespace sentrel::e2e
