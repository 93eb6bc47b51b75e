#include "registry/OverlayStore.h"

#include <algorithm>

namespace sentrel {

namespace {

constexpr std::uint32_t kViews = 0x0300;  // KEY_WOW64_64KEY and KEY_WOW64_32KEY
constexpr HKey kFirstHandle = 0x2000;

bool Writes(std::uint32_t access) { return (access & ~(kKeyRead | kViews)) != 0; }

bool IsRoot(HKey key) { return key >= 0x80000000u; }

std::string ParentOf(const std::string& path) {
    const std::size_t at = path.rfind('\\');
    return at == std::string::npos ? std::string() : path.substr(0, at);
}

std::string LastName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

}  // namespace

// Values and names are few: a walk along them is all a lookup needs.
template <typename Values>
static auto Find(Values& values, const std::string& name) -> decltype(&values[0]) {
    for (auto& value : values)
        if (SameName(value.name, name)) return &value;
    return nullptr;
}

bool OverlayStore::Resolve(HKey parent, const std::string& subKey, HKey* root,
                           std::string* path) const {
    if (IsRoot(parent)) {
        *root = parent;
        *path = subKey;
        return true;
    }
    Key* key = nullptr;
    if (Live(parent, &key) == kErrorInvalidHandle) return false;
    *root = key->root;
    *path = key->path;
    if (!subKey.empty()) *path = key->path.empty() ? subKey : (*path += '\\') += subKey;
    return true;
}

long OverlayStore::Load(HKey root, const std::string& path, Key** key) {
    for (const std::unique_ptr<Key>& known : keys_) {
        if (known->root == root && SameName(known->path, path)) {
            *key = known.get();
            return kErrorSuccess;
        }
    }
    auto fresh = std::make_unique<Key>();
    fresh->root = root;
    fresh->path = path;
    HKey below = 0;
    const long error = base_.OpenKey(root, path, kKeyRead, &below);
    if (error && error != kErrorFileNotFound) return error;
    if (!error) {
        fresh->existsBelow = fresh->exists = true;
        std::string name;
        for (std::uint32_t i = 0; base_.EnumValue(below, i, &name) == kErrorSuccess; ++i) {
            Value value{name, {}};
            if (base_.QueryValue(below, name, &value.data.type, &value.data.data) ==
                kErrorSuccess)
                fresh->valuesBelow.push_back(std::move(value));
        }
        for (std::uint32_t i = 0; base_.EnumKey(below, i, &name) == kErrorSuccess; ++i)
            fresh->subkeys.push_back(name);
        base_.CloseKey(below);
        fresh->values = fresh->valuesBelow;
    }
    *key = fresh.get();
    keys_.push_back(std::move(fresh));
    return kErrorSuccess;
}

long OverlayStore::CheckAccess(const Key& key, std::uint32_t access) {
    if (!Writes(access) || !key.existsBelow) return kErrorSuccess;
    HKey below = 0;
    const long error = base_.OpenKey(key.root, key.path, access, &below);
    if (!error) base_.CloseKey(below);
    return error;
}

HKey OverlayStore::Hand(Key* key) {
    handles_.push_back(key);
    return kFirstHandle + handles_.size() - 1;
}

long OverlayStore::Live(HKey handle, Key** key) const {
    const HKey index = handle - kFirstHandle;
    if (handle < kFirstHandle || index >= handles_.size() || !handles_[index])
        return kErrorInvalidHandle;
    *key = handles_[index];
    return (*key)->exists ? kErrorSuccess : kErrorKeyDeleted;
}

long OverlayStore::OpenKey(HKey parent, const std::string& subKey, std::uint32_t access,
                           HKey* result) {
    HKey root = 0;
    std::string path;
    if (!Resolve(parent, subKey, &root, &path)) return kErrorInvalidHandle;
    Key* key = nullptr;
    long error = Load(root, path, &key);
    if (!error && !key->exists) error = kErrorFileNotFound;
    if (!error) error = CheckAccess(*key, access);
    if (!error) *result = Hand(key);
    return error;
}

long OverlayStore::CreateKey(HKey parent, const std::string& subKey, std::uint32_t access,
                             HKey* result, bool* made) {
    HKey root = 0;
    std::string path;
    if (!Resolve(parent, subKey, &root, &path)) return kErrorInvalidHandle;
    Key* above = nullptr;
    Key* key = nullptr;
    if (made) *made = false;
    for (std::size_t end = 0; end != std::string::npos; above = key) {
        end = path.find('\\', end + 1);
        if (long error = Load(root, path.substr(0, end), &key)) return error;
        if (made) *made = !key->exists;
        if (key->exists) continue;
        // A key made is named as the run that makes it spells it.
        key->path = path.substr(0, end);
        // Making a key needs write access to the one it is made in.
        if (above) {
            if (long error = CheckAccess(*above, kKeyAllAccess)) return error;
            const std::string name = LastName(key->path);
            auto at = above->subkeys.begin();
            while (at != above->subkeys.end() && UpperAscii(*at) < UpperAscii(name)) ++at;
            above->subkeys.insert(at, name);
        }
        key->exists = true;
        key->made = ++writes_;
    }
    if (long error = CheckAccess(*key, access)) return error;
    *result = Hand(key);
    return kErrorSuccess;
}

long OverlayStore::CloseKey(HKey handle) {
    Key* key = nullptr;
    if (Live(handle, &key) == kErrorInvalidHandle) return kErrorInvalidHandle;
    handles_[handle - kFirstHandle] = nullptr;
    return kErrorSuccess;
}

long OverlayStore::QueryValue(HKey handle, const std::string& name, std::uint32_t* type,
                              Bytes* data, std::size_t maxSize) {
    Key* key = nullptr;
    if (long error = Live(handle, &key)) return error;
    const Value* value = Find(key->values, name);
    if (!value) return kErrorFileNotFound;
    if (data && value->data.data.size() > maxSize) return kErrorMoreData;
    if (type) *type = value->data.type;
    if (data) *data = value->data.data;
    return kErrorSuccess;
}

long OverlayStore::SetValue(HKey handle, const std::string& name, std::uint32_t type,
                            const std::uint8_t* data, std::size_t size) {
    Key* key = nullptr;
    if (long error = Live(handle, &key)) return error;
    Value* value = Find(key->values, name);
    if (!value) {
        key->values.push_back({name, {}});
        value = &key->values.back();
    }
    value->data = {type, Bytes(data, data + size)};
    value->written = ++writes_;
    return kErrorSuccess;
}

void OverlayStore::Deleted(Key& key, const Value& value) {
    Value* known = Find(key.deleted, value.name);
    if (!known) {
        key.deleted.push_back({value.name, {}});
        known = &key.deleted.back();
    }
    known->written = ++writes_;
}

long OverlayStore::DeleteValue(HKey handle, const std::string& name) {
    Key* key = nullptr;
    if (long error = Live(handle, &key)) return error;
    const Value* value = Find(key->values, name);
    if (!value) return kErrorFileNotFound;
    Deleted(*key, *value);
    key->values.erase(key->values.begin() + (value - key->values.data()));
    return kErrorSuccess;
}

long OverlayStore::DeleteKey(HKey parent, const std::string& subKey) {
    HKey root = 0;
    std::string path;
    if (!Resolve(parent, subKey, &root, &path)) return kErrorInvalidHandle;
    Key* key = nullptr;
    if (long error = Load(root, path, &key)) return error;
    if (!key->exists) return kErrorFileNotFound;
    if (!key->subkeys.empty()) return kErrorAccessDenied;  // as NT refuses a key with subkeys
    if (long error = CheckAccess(*key, kKeyAllAccess)) return error;
    Key* above = nullptr;
    if (long error = Load(root, ParentOf(path), &above)) return error;
    std::vector<std::string>& names = above->subkeys;
    for (auto at = names.begin(); at != names.end(); ++at) {
        if (SameName(*at, LastName(path))) {
            names.erase(at);
            break;
        }
    }
    key->exists = false;
    for (const Value& value : key->values) Deleted(*key, value);
    key->values.clear();
    return kErrorSuccess;
}

long OverlayStore::EnumKey(HKey handle, std::uint32_t index, std::string* name) {
    Key* key = nullptr;
    if (long error = Live(handle, &key)) return error;
    if (index >= key->subkeys.size()) return kErrorNoMoreItems;
    *name = key->subkeys[index];
    return kErrorSuccess;
}

long OverlayStore::EnumValue(HKey handle, std::uint32_t index, std::string* name) {
    Key* key = nullptr;
    if (long error = Live(handle, &key)) return error;
    if (index >= key->values.size()) return kErrorNoMoreItems;
    *name = key->values[index].name;
    return kErrorSuccess;
}

// A plan is never on disk, and a dry run sets no security.
long OverlayStore::FlushKey(HKey handle) {
    Key* key = nullptr;
    return Live(handle, &key);
}

long OverlayStore::GetKeySecurity(HKey handle, Bytes* descriptor) {
    Key* key = nullptr;
    if (long error = Live(handle, &key)) return error;
    // A key the plan makes is the run's own; one that is there is as the store below keeps it.
    ScopedKey below(base_);
    if (base_.OpenKey(key->root, key->path, kKeyRead, below.Out()) == kErrorFileNotFound) {
        descriptor->clear();
        return kErrorSuccess;
    }
    if (!below.Get()) return kErrorAccessDenied;
    return base_.GetKeySecurity(below.Get(), descriptor);
}

long OverlayStore::SetKeySecurity(HKey handle, const Bytes&) {
    Key* key = nullptr;
    return Live(handle, &key);
}

std::vector<PlannedChange> OverlayStore::Plan() const {
    std::vector<PlannedChange> plan;
    auto add = [&](RegistryChange::Kind kind, const Key& key, const std::string& name,
                   const RegistryValue* before, const RegistryValue* after) {
        PlannedChange change{key.root, key.path,
                             {kind, KeyPaths().Join(key.root, key.path), name, {}, {}}};
        if (before) change.change.before = *before;
        if (after) change.change.after = *after;
        plan.push_back(std::move(change));
    };
    auto parentOf = [&](const Key& key) -> const Key* {
        if (key.path.find('\\') == std::string::npos) return nullptr;
        for (const std::unique_ptr<Key>& other : keys_)
            if (other->root == key.root &&
                SameName(other->path, ParentOf(key.path)))
                return other.get();
        return nullptr;
    };
    // A key made comes just before the first change in it or below it, after the keys made
    // above it; one the run leaves empty comes where the run made it.
    std::vector<const Key*> made;
    auto make = [&](const Key& key, auto& self) -> void {
        if (!key.exists || key.existsBelow ||
            std::find(made.begin(), made.end(), &key) != made.end())
            return;
        if (const Key* parent = parentOf(key)) self(*parent, self);
        made.push_back(&key);
        add(RegistryChange::KeyCreated, key, "", nullptr, nullptr);
    };
    auto below = [](const Key& outer, const Key& inner) {
        return outer.root == inner.root && inner.path.size() > outer.path.size() &&
               inner.path[outer.path.size()] == '\\' &&
               SameName(inner.path.substr(0, outer.path.size()), outer.path);
    };
    // Each net change of a key that stays, with when the run last wrote it; a made key with
    // nothing in it or below it, with when the run made it.
    struct Step {
        std::size_t when;
        const Key* key;
        const Value* value;  // none: the key is made
        const Value* before;
    };
    std::vector<Step> steps;
    for (const std::unique_ptr<Key>& key : keys_) {
        if (!key->exists) continue;
        for (const Value& value : key->values) {
            const Value* before = Find(key->valuesBelow, value.name);
            if (!before || !(before->data == value.data))
                steps.push_back({value.written, key.get(), &value, before});
        }
        for (const Value& before : key->valuesBelow)
            if (!Find(key->values, before.name))
                if (const Value* deleted = Find(key->deleted, before.name))
                    steps.push_back({deleted->written, key.get(), nullptr, &before});
    }
    for (const std::unique_ptr<Key>& key : keys_) {
        if (!key->exists || key->existsBelow) continue;
        bool holdsChange = false;
        for (const Step& step : steps)
            holdsChange = holdsChange || step.key == key.get() || below(*key, *step.key);
        for (const std::unique_ptr<Key>& other : keys_)
            holdsChange = holdsChange || (other->exists && !other->existsBelow &&
                                          below(*key, *other));
        if (!holdsChange) steps.push_back({key->made, key.get(), nullptr, nullptr});
    }
    // In the order the run wrote them (few: a walk is all it needs).
    std::vector<const Step*> ordered;
    for (const Step& step : steps) {
        auto at = ordered.begin();
        while (at != ordered.end() && (*at)->when < step.when) ++at;
        ordered.insert(at, &step);
    }
    for (const Step* next : ordered) {
        const Step& step = *next;
        make(*step.key, make);
        if (step.value)
            add(RegistryChange::ValueSet, *step.key, step.value->name,
                step.before ? &step.before->data : nullptr, &step.value->data);
        else if (step.before)
            add(RegistryChange::ValueDeleted, *step.key, step.before->name, &step.before->data,
                nullptr);
    }
    // Keys deleted after every other change, each after its values and its subkeys: the
    // deepest first, and among keys as deep the one the run came to last first.
    auto depth = [](const Key& key) {
        return static_cast<std::size_t>(std::count(key.path.begin(), key.path.end(), '\\'));
    };
    std::size_t deepest = 0;
    for (const std::unique_ptr<Key>& key : keys_) deepest = std::max(deepest, depth(*key));
    for (std::size_t level = deepest + 1; level-- > 0;) {
        for (auto at = keys_.rbegin(); at != keys_.rend(); ++at) {
            const Key& key = **at;
            if (key.exists || !key.existsBelow || depth(key) != level) continue;
            for (const Value& before : key.valuesBelow)
                add(RegistryChange::ValueDeleted, key, before.name, &before.data, nullptr);
            add(RegistryChange::KeyDeleted, key, "", nullptr, nullptr);
        }
    }
    return plan;
}

std::vector<RegistryChange> OverlayStore::NetChanges() const {
    std::vector<RegistryChange> changes;
    for (PlannedChange& planned : Plan()) changes.push_back(std::move(planned.change));
    return changes;
}

}  // namespace sentrel
