#include "registry/RegistryTransaction.h"

namespace sentrel {

namespace {

// A change as it was written: for a value, what it replaced when it was written.
struct Written {
    const PlannedChange* planned;  // in the plan, which outlives the writing
    std::optional<RegistryValue> replaced;
    bool keep = false;  // a key made before the commit: not the commit's to undo
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

// Writes one change; gives the message pattern of a refusal (its insert in *what), or none. Only
// a change that was made is noted for putting back.
const char* Write(RegistryStore& store, const PlannedChange& planned, const CommitSteps& steps,
                  std::vector<Written>& written, std::string* what) {
    const RegistryChange& change = planned.change;
    *what = "\\" + planned.path;  // as the program's messages spell a key
    if (change.kind == RegistryChange::KeyCreated) {
        if (KeyExists(store, planned)) {
            for (const std::string& path : steps.madeAlready)
                if (planned.root == kHkeyLocalMachine && SameName(path, planned.path))
                    written.push_back({&planned, {}, true});
            return nullptr;
        }
        ScopedKey key(store);
        if (store.CreateKey(planned.root, planned.path, kKeyAllAccess, key.Out()))
            return kMsgCreateKeyFailed;
        if (steps.ownKey && planned.root == kHkeyLocalMachine &&
            AtOrBelow(planned.path, steps.ownKey)) {
            // Recorded before the security is set: a refusal deletes the key again.
            written.push_back({&planned, {}});
            if (store.SetKeySecurity(key.Get(), steps.ownSecurity)) return kMsgCreateKeyFailed;
            return nullptr;
        }
    } else if (change.kind == RegistryChange::KeyDeleted) {
        const long error = store.DeleteKey(planned.root, planned.path);
        if (error == kErrorFileNotFound) return nullptr;
        if (error) return kMsgDeleteKeyFailed;
    } else {
        ScopedKey key(store);
        if (long error = OpenForWriting(store, planned, key)) {
            // A value to delete from a key that is not there: already gone.
            return error == kErrorFileNotFound && !change.after ? nullptr : kMsgOpenKeyFailed;
        }
        Written done{&planned, RegistryValue{}};
        if (store.QueryValue(key.Get(), change.name, &done.replaced->type, &done.replaced->data))
            done.replaced.reset();
        *what = change.name;
        if (done.replaced == change.after) return nullptr;  // already so: nothing to write
        if (change.after) {
            if (store.SetValue(key.Get(), change.name, change.after->type,
                               change.after->data.data(), change.after->data.size()))
                return kMsgSetDataFailed;
        } else if (!done.replaced) {
            return nullptr;  // already gone: nothing to write, nothing to put back
        } else if (store.DeleteValue(key.Get(), change.name)) {
            return kMsgDeleteValueFailed;
        }
        written.push_back(std::move(done));
        return nullptr;
    }
    written.push_back({&planned, {}});
    return nullptr;
}

bool PutBack(RegistryStore& store, const Written& written) {
    if (written.keep) return true;
    const PlannedChange& planned = *written.planned;
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

std::vector<RegistryChange> Commit(const std::vector<PlannedChange>& plan, RegistryStore& target,
                                   const CommitSteps& steps) {
    std::vector<Written> written;
    std::string what;
    auto putBack = [&](const std::string& reason) {
        std::vector<RegistryChange> left;
        for (auto at = written.rbegin(); at != written.rend(); ++at) {
            const bool guard = static_cast<std::size_t>(at->planned - plan.data()) < steps.guarded;
            if ((guard && !left.empty()) || !PutBack(target, *at))
                left.insert(left.begin(), at->planned->change);
        }
        FlushWrittenKeys(target, plan);
        throw CommitError(reason, std::move(left));
    };
    for (std::size_t i = 0; i < plan.size(); ++i) {
        if (i == steps.flushBefore) FlushWrittenKeys(target, plan, i);
        if (const char* refused = Write(target, plan[i], steps, written, &what))
            putBack(FormatMessageText(refused, what));
    }
    if (steps.finish) {
        const std::string refused = steps.finish(target, steps.data);
        if (!refused.empty()) putBack(refused);
    }
    std::vector<RegistryChange> changes;
    for (Written& done : written) {
        RegistryChange change = done.planned->change;
        if (change.kind == RegistryChange::ValueSet || change.kind == RegistryChange::ValueDeleted)
            change.before = std::move(done.replaced);
        changes.push_back(std::move(change));
    }
    return changes;
}

void FlushWrittenKeys(RegistryStore& store, const std::vector<PlannedChange>& commit,
                      std::size_t count) {
    std::vector<const PlannedChange*> flushed;
    for (std::size_t i = 0; i < commit.size() && i < count; ++i) {
        const PlannedChange& planned = commit[i];
        bool known = false;
        for (const PlannedChange* earlier : flushed)
            known = known || (earlier->root == planned.root && SameName(earlier->path, planned.path));
        if (known) continue;
        flushed.push_back(&planned);
        ScopedKey key(store);
        if (store.OpenKey(planned.root, planned.path, kKeyRead, key.Out()) == kErrorSuccess)
            store.FlushKey(key.Get());
    }
}

std::vector<RegistryChange> NetOfWritten(const std::vector<RegistryChange>& written) {
    std::vector<RegistryChange> net;
    for (const RegistryChange& change : written) {
        RegistryChange last = change;
        bool again = false;  // written before: from what it replaced first
        const bool value = change.kind == RegistryChange::ValueSet ||
                           change.kind == RegistryChange::ValueDeleted;
        for (auto at = net.begin(); value && at != net.end(); ++at) {
            if ((at->kind == RegistryChange::ValueSet || at->kind == RegistryChange::ValueDeleted) &&
                SameName(at->key, change.key) && SameName(at->name, change.name)) {
                last.before = at->before;
                net.erase(at);
                again = true;
                break;
            }
        }
        if (!again || last.before != last.after) net.push_back(std::move(last));
    }
    return net;
}

}  // namespace sentrel
