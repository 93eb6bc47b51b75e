// The accessor over the in-memory registry, driven by random sequences of operations and
// checked against a plain model of what each operation must do.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <map>
#include <set>

#include "FuzzCheck.h"
#include "support/MemoryStore.h"
#include "registry/Registry.h"
#include "support/ErrorOf.h"

using namespace sentrel;
using sentrel::test::ErrorOf;

namespace {
const std::string kNoError = "<no error>";
}  // namespace

namespace {

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

struct Value {
    std::string name;  // as first written
    std::uint32_t type;
    Bytes data;
};

// Keys by upper-case path ("A\B"); each with its name as first written and its values in
// creation order.
struct Model {
    struct Key {
        std::string name;
        std::vector<Value> values;
    };
    std::map<std::string, Key> keys;
    std::string current;  // upper-case path of the open key
    bool open = false;
    bool currentDeleted = false;

    bool Exists(const std::string& path) const { return keys.count(Upper(path)) != 0; }
    void Create(const std::vector<std::string>& parts) {
        std::string path;
        for (const std::string& part : parts) {
            path += (path.empty() ? "" : "\\") + Upper(part);
            keys.emplace(path, Key{part, {}});
        }
    }
    bool Below(const std::string& path, const std::string& key) const {
        return path == key || path.rfind(key + "\\", 0) == 0;
    }
    void DeleteTree(const std::string& key) {
        for (auto it = keys.begin(); it != keys.end();)
            it = Below(it->first, key) ? keys.erase(it) : std::next(it);
        if (open && Below(current, key)) currentDeleted = true;
    }
    Value* Find(const std::string& name) {
        if (!open || currentDeleted) return nullptr;
        for (Value& v : keys[current].values)
            if (Upper(v.name) == Upper(name)) return &v;
        return nullptr;
    }
    std::vector<std::string> Children(const std::string& key) const {
        std::vector<std::string> names;
        for (const auto& [path, k] : keys) {
            if (path.size() <= key.size() + 1 || path.rfind(key + "\\", 0) != 0) continue;
            if (path.find('\\', key.size() + 1) == std::string::npos) names.push_back(k.name);
        }
        return names;  // the map is ordered by upper-case path: the registry's order
    }
};

const char* const kParts[] = {"A", "a", "B", "Tab1", "tab10"};
const char* const kNames[] = {"", "x", "X", "Tab", "Login Script"};

std::vector<std::string> Path(FuzzedDataProvider& input) {
    std::vector<std::string> parts(input.ConsumeIntegralInRange(1, 3));
    for (std::string& part : parts) part = input.PickValueInArray(kParts);
    return parts;
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string path;
    for (const std::string& part : parts) path += "\\" + part;
    return path;  // absolute: begins with a backslash
}


}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    MemoryStore store;
    Model model;
    TRegistry reg(store);
    reg.SetRootKey(kHkeyLocalMachine);

    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
        const std::string name = input.PickValueInArray(kNames);
        const std::string noKey = "Failed to set data for '" + name + "'";
        const bool writable = model.open && !model.currentDeleted;
        switch (input.ConsumeIntegralInRange(0, 13)) {
            case 0: {  // open, maybe creating
                std::vector<std::string> parts = Path(input);
                bool create = input.ConsumeBool();
                bool expected = create || model.Exists(Joined(parts).substr(1));
                FUZZ_CHECK(reg.OpenKey(Joined(parts), create) == expected);
                if (create) model.Create(parts);
                if (expected) {
                    model.current = Upper(Joined(parts).substr(1));
                    model.open = true;
                    model.currentDeleted = false;
                }
                break;
            }
            case 1:
                reg.CloseKey();
                model.open = false;
                break;
            case 2: case 3: case 4: {  // writes
                std::uint32_t type;
                Bytes bytes;
                std::string error;
                if (step % 3 == 0) {
                    std::string text = input.ConsumeRandomLengthString(8);
                    type = kRegSz;
                    bytes.assign(text.begin(), text.end());
                    bytes.push_back(0);
                    error = ErrorOf([&] { reg.WriteString(name, text); });
                } else if (step % 3 == 1) {
                    auto number = input.ConsumeIntegral<std::int32_t>();
                    type = kRegDword;
                    for (int i = 0; i < 4; ++i) bytes.push_back(std::uint8_t(std::uint32_t(number) >> (8 * i)));
                    error = ErrorOf([&] { reg.WriteInteger(name, number); });
                } else {
                    bytes = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange(0, 6));
                    type = kRegBinary;
                    error = ErrorOf([&] { reg.WriteBinaryData(name, bytes.data(), int(bytes.size())); });
                }
                FUZZ_CHECK(error == (writable ? kNoError : noKey));
                if (writable) {
                    if (Value* v = model.Find(name)) {
                        v->type = type;
                        v->data = bytes;
                    } else {
                        model.keys[model.current].values.push_back({name, type, bytes});
                    }
                }
                break;
            }
            case 5: {  // read a string
                std::string got;
                std::string error = ErrorOf([&] { got = reg.ReadString(name); });
                Value* v = model.Find(name);
                if (!v || v->data.empty()) {
                    FUZZ_CHECK(error == kNoError && got.empty());
                } else if (v->type != kRegSz && v->type != kRegExpandSz) {
                    FUZZ_CHECK(error == "Invalid data type for '" + name + "'");
                } else {
                    std::string text(v->data.begin(), v->data.end());
                    FUZZ_CHECK(error == kNoError && got == text.substr(0, text.find('\0')));
                }
                break;
            }
            case 6: {  // read an integer
                std::int32_t got = 0;
                std::string error = ErrorOf([&] { got = reg.ReadInteger(name); });
                Value* v = model.Find(name);
                if (!v || v->data.size() > 4) {
                    FUZZ_CHECK(error == "Failed to get data for '" + name + "'");
                } else if (v->type != kRegDword) {
                    FUZZ_CHECK(error == "Invalid data type for '" + name + "'");
                } else {
                    std::uint32_t expected = 0;
                    for (std::size_t i = 0; i < v->data.size(); ++i) expected |= std::uint32_t(v->data[i]) << (8 * i);
                    FUZZ_CHECK(error == kNoError && got == static_cast<std::int32_t>(expected));
                }
                break;
            }
            case 7: {  // delete a value
                bool existed = model.Find(name) != nullptr;
                FUZZ_CHECK(reg.DeleteValue(name) == existed);
                if (existed) {
                    auto& values = model.keys[model.current].values;
                    values.erase(std::find_if(values.begin(), values.end(), [&](const Value& v) {
                        return Upper(v.name) == Upper(name);
                    }));
                }
                break;
            }
            case 8: {  // delete a key with all below it
                std::string path = Joined(Path(input));
                bool existed = model.Exists(path.substr(1));
                FUZZ_CHECK(reg.DeleteKey(path) == existed);
                if (existed) model.DeleteTree(Upper(path.substr(1)));
                break;
            }
            case 9: {  // subkey names
                std::vector<std::string> names{"stale"};
                reg.GetKeyNames(names);
                FUZZ_CHECK(names == (writable ? model.Children(model.current) : std::vector<std::string>{}));
                break;
            }
            case 10: {  // value names, in creation order
                std::vector<std::string> names{"stale"};
                reg.GetValueNames(names);
                std::vector<std::string> expected;
                if (writable)
                    for (const Value& v : model.keys[model.current].values) expected.push_back(v.name);
                FUZZ_CHECK(names == expected);
                break;
            }
            case 11: {  // copy a key where the target is absent
                std::vector<std::string> from = Path(input);
                std::vector<std::string> to = Path(input);
                bool remove = input.ConsumeBool();
                const std::string source = Upper(Joined(from).substr(1));
                const std::string target = Upper(Joined(to).substr(1));
                const bool copies = model.Exists(source) && !model.Exists(target) &&
                                    target.rfind(source + "\\", 0) != 0;
                FUZZ_CHECK(ErrorOf([&] { reg.MoveKey(Joined(from), Joined(to), remove); }) == kNoError);
                if (copies) {
                    model.Create(to);
                    std::map<std::string, Model::Key> copied;
                    for (const auto& [path, key] : model.keys)
                        if (model.Below(path, source))
                            copied[target + path.substr(source.size())] = key;
                    for (auto& [path, key] : copied) {
                        if (path == target) key.name = model.keys[target].name;
                        model.keys[path] = key;
                    }
                    if (remove) model.DeleteTree(source);
                }
                break;
            }
            case 12:
                FUZZ_CHECK(reg.ValueExists(name) == (model.Find(name) != nullptr));
                break;
            case 13: {
                std::string path = Joined(Path(input));
                FUZZ_CHECK(reg.KeyExists(path) == model.Exists(path.substr(1)));
                break;
            }
        }
    }
    reg.CloseKey();
    FUZZ_CHECK(store.OpenHandleCount() == 0);
    return 0;
}
