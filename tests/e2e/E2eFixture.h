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

}  // namespace sentrel::e2e
