#include "registry/RegistryTransaction.h"

namespace sentrel {

namespace {

// A change as it was written: for a value, what it replaced when it was written.
struct Written {
    PlannedChange planned;
    std::optional<RegistryValue> replaced;
};

long OpenForWriting(RegistryStore& store, const PlannedChange& planned, ScopedKey& key) {
    return store.OpenKey(planned.root, planned.path, kKeyAllAccess, key.Out());
}

long PutValue(RegistryStore& store, const PlannedChange& planned,
              const std::optional<RegistryValue>& value) {
    ScopedKey key(store);
    if (long error = OpenForWriting(store, planned, key)) return error;
    const std::string& name = planned.change.name;
    if (value) return store.SetValue(key.Get(), name, value->type, value->data.data(),
                                     value->data.size());
    const long error = store.DeleteValue(key.Get(), name);
    return error == kErrorFileNotFound ? kErrorSuccess : error;
}

bool KeyExists(RegistryStore& store, const PlannedChange& planned) {
    ScopedKey key(store);
    return store.OpenKey(planned.root, planned.path, kKeyRead, key.Out()) != kErrorFileNotFound;
}

// Writes one change; false with the reason when the registry refuses it. Only a change that
// was made is noted for putting back.
bool Write(RegistryStore& store, const PlannedChange& planned, std::vector<Written>& written,
           std::string* reason) {
    const RegistryChange& change = planned.change;
    const std::string path = "\\" + planned.path;  // as the program's messages spell a key
    switch (change.kind) {
        case RegistryChange::KeyCreated: {
            if (KeyExists(store, planned)) return true;
            ScopedKey key(store);
            if (store.CreateKey(planned.root, planned.path, kKeyAllAccess, key.Out())) {
                *reason = FormatMessageText(kMsgCreateKeyFailed, path);
                return false;
            }
            written.push_back({planned, {}});
            return true;
        }
        case RegistryChange::KeyDeleted: {
            const long error = store.DeleteKey(planned.root, planned.path);
            if (error == kErrorFileNotFound) return true;
            if (error) {
                *reason = FormatMessageText(kMsgDeleteKeyFailed, path);
                return false;
            }
            written.push_back({planned, {}});
            return true;
        }
        default: break;
    }
    ScopedKey key(store);
    if (OpenForWriting(store, planned, key)) {
        *reason = FormatMessageText(kMsgOpenKeyFailed, path);
        return false;
    }
    Written done{planned, RegistryValue{}};
    if (store.QueryValue(key.Get(), change.name, &done.replaced->type, &done.replaced->data))
        done.replaced.reset();
    long error = kErrorSuccess;
    if (change.after) {
        error = store.SetValue(key.Get(), change.name, change.after->type,
                               change.after->data.data(), change.after->data.size());
        if (error) *reason = FormatMessageText(kMsgSetDataFailed, change.name);
    } else if (done.replaced) {
        error = store.DeleteValue(key.Get(), change.name);
        if (error) *reason = FormatMessageText(kMsgDeleteValueFailed, change.name);
    } else {
        return true;  // already gone: nothing to write, nothing to put back
    }
    if (error) return false;
    written.push_back(std::move(done));
    return true;
}

bool PutBack(RegistryStore& store, const Written& written) {
    const PlannedChange& planned = written.planned;
    switch (planned.change.kind) {
        case RegistryChange::KeyCreated: return store.DeleteKey(planned.root, planned.path) == 0;
        case RegistryChange::KeyDeleted: {
            ScopedKey key(store);
            return store.CreateKey(planned.root, planned.path, kKeyAllAccess, key.Out()) == 0;
        }
        default: return PutValue(store, planned, written.replaced) == kErrorSuccess;
    }
}

}  // namespace

std::vector<RegistryChange> Commit(const std::vector<PlannedChange>& plan, RegistryStore& target) {
    std::vector<Written> written;
    std::string reason;
    for (const PlannedChange& planned : plan) {
        if (Write(target, planned, written, &reason)) continue;
        std::vector<RegistryChange> left;
        for (auto at = written.rbegin(); at != written.rend(); ++at)
            if (!PutBack(target, *at)) left.insert(left.begin(), at->planned.change);
        throw CommitError(reason, std::move(left));
    }
    std::vector<RegistryChange> changes;
    for (Written& done : written) {
        RegistryChange change = std::move(done.planned.change);
        if (change.kind == RegistryChange::ValueSet || change.kind == RegistryChange::ValueDeleted)
            change.before = std::move(done.replaced);
        changes.push_back(std::move(change));
    }
    return changes;
}

}  // namespace sentrel
