#include "logon/RunJournal.h"

#include "logon/ProgramKey.h"
#include "logon/ProgramWrites.h"
#include "registry/Registry.h"
#include "registry/RegistryTransaction.h"

namespace sentrel {

namespace {

// An entry is one REG_BINARY value named by its place ("1", "2", ...): its kind, root, path,
// name, whether a value was there before, and that value's type and bytes.
void PutNumber(Bytes& out, std::uint32_t number) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back((number >> shift) & 0xFF);
}

void PutText(Bytes& out, const std::string& text) {
    PutNumber(out, static_cast<std::uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

Bytes Encode(const JournalEntry& entry) {
    Bytes out{static_cast<std::uint8_t>(entry.kind)};
    PutNumber(out, static_cast<std::uint32_t>(entry.root));
    PutText(out, entry.path);
    PutText(out, entry.name);
    out.push_back(entry.before ? 1 : 0);
    PutNumber(out, entry.before ? entry.before->type : 0);
    PutText(out, entry.before ? std::string(entry.before->data.begin(), entry.before->data.end())
                              : std::string());
    return out;
}

class Reader {
public:
    explicit Reader(const Bytes& bytes) : bytes_(bytes) {}
    bool Number(std::uint32_t* number) {
        if (bytes_.size() - at_ < 4) return false;
        *number = LittleEndianOf(bytes_.data() + at_, 4);
        at_ += 4;
        return true;
    }
    bool Text(std::string* text) {
        std::uint32_t size = 0;
        if (!Number(&size) || bytes_.size() - at_ < size) return false;
        text->assign(bytes_.begin() + at_, bytes_.begin() + at_ + size);
        at_ += size;
        return true;
    }
    bool Byte(std::uint8_t* byte) {
        if (at_ == bytes_.size()) return false;
        *byte = bytes_[at_++];
        return true;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    const Bytes& bytes_;
    std::size_t at_ = 0;
};

bool Decode(const Bytes& bytes, JournalEntry* entry) {
    Reader reader(bytes);
    std::uint8_t kind = 0, present = 0;
    std::uint32_t root = 0, type = 0;
    std::string data;
    if (!reader.Byte(&kind) || kind > JournalEntry::KeyDeleted || !reader.Number(&root) ||
        (root != kHkeyLocalMachine && root != kHkeyCurrentUser) || !reader.Text(&entry->path) ||
        !reader.Text(&entry->name) || !reader.Byte(&present) || !reader.Number(&type) ||
        !reader.Text(&data) || !reader.AtEnd())
        return false;
    entry->kind = static_cast<JournalEntry::Kind>(kind);
    entry->root = root;
    if (present) entry->before = RegistryValue{type, Bytes(data.begin(), data.end())};
    return true;
}

bool KeyExists(RegistryStore& store, const std::string& path) {
    ScopedKey key(store);
    return store.OpenKey(kHkeyLocalMachine, path, kKeyRead, key.Out()) == kErrorSuccess;
}

bool IsEmpty(RegistryStore& store, const std::string& path) {
    ScopedKey key(store);
    if (store.OpenKey(kHkeyLocalMachine, path, kKeyRead, key.Out())) return false;
    std::string name;
    return store.EnumKey(key.Get(), 0, &name) != kErrorSuccess &&
           store.EnumValue(key.Get(), 0, &name) != kErrorSuccess;
}


}  // namespace

std::vector<JournalEntry> JournalOf(const std::vector<PlannedChange>& commit) {
    std::vector<JournalEntry> entries;
    for (const PlannedChange& planned : commit) {
        const RegistryChange& change = planned.change;
        JournalEntry entry{JournalEntry::Value, planned.root, planned.path, change.name,
                           change.before};
        if (change.kind == RegistryChange::KeyCreated) entry.kind = JournalEntry::KeyMade;
        if (change.kind == RegistryChange::KeyDeleted) entry.kind = JournalEntry::KeyDeleted;
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<std::string> WriteRunJournal(RegistryStore& store, const std::string& started,
                                         const std::vector<JournalEntry>& entries) {
    std::vector<std::string> made;
    for (const char* path : kProgramKeys)
        if (!KeyExists(store, path)) made.push_back(path);

    const char* refused = nullptr;
    std::string what = std::string("\\") + kJournalKey;
    {
        ScopedKey key(store);
        ScopedKey program(store);
        bool madeNew = false;
        if (store.CreateKey(kHkeyLocalMachine, kJournalKey, kKeyAllAccess, key.Out(), &madeNew)) {
            refused = kMsgCreateKeyFailed;
        } else if (!madeNew) {
            // Not the one this run makes: someone made it since the run looked.
            throw RegistryError(kMsgJournalNotOwn);
        } else if (store.SetKeySecurity(key.Get(), ProgramKeySecurity())) {
            refused = kMsgOpenKeyFailed;
        } else if (store.OpenKey(kHkeyLocalMachine, kProgramKey, kKeyAllAccess, program.Out()) ||
                   (!IsProgramsOwn(store, program.Get()) &&
                    store.SetKeySecurity(program.Get(), ProgramKeySecurity()))) {
            // What the program keeps below its key from now on is its own.
            refused = kMsgOpenKeyFailed;
            what = std::string("\\") + kProgramKey;
        } else {
            auto put = [&](const std::string& name, std::uint32_t type, const Bytes& data) {
                if (refused) return;
                if (store.SetValue(key.Get(), name, type, data.data(), data.size())) {
                    refused = kMsgSetDataFailed;
                    what = name;
                }
            };
            const std::uint8_t* text = reinterpret_cast<const std::uint8_t*>(started.c_str());
            // First what the journal made: a cut after it leaves nothing it cannot put back.
            Bytes count;
            PutNumber(count, static_cast<std::uint32_t>(made.size()));
            put(kJournalKeysMade, kRegDword, count);
            put(kJournalStarted, kRegSz, Bytes(text, text + started.size() + 1));
            for (std::size_t i = 0; i < entries.size(); ++i)
                put(std::to_string(i + 1), kRegBinary, Encode(entries[i]));
            if (!refused) store.FlushKey(key.Get());
        }
    }
    if (refused) {
        DeleteRunJournal(store, made);
        throw RegistryError(FormatMessageText(refused, what));
    }
    return made;
}

std::optional<RunJournal> ReadRunJournal(RegistryStore& store) {
    ScopedKey key(store);
    const long error = store.OpenKey(kHkeyLocalMachine, kJournalKey, kKeyRead, key.Out());
    if (error == kErrorFileNotFound) return std::nullopt;
    if (error) throw RegistryError(kMsgJournalUnreadable);
    // One that holds nothing (a run cut off as it made it) makes the run write nothing.
    std::string first;
    if (!IsProgramsOwn(store, key.Get()) && store.EnumValue(key.Get(), 0, &first) == kErrorSuccess)
        throw RegistryError(kMsgJournalNotOwn);
    RunJournal journal;
    std::uint32_t type = 0;
    Bytes data;
    if (store.QueryValue(key.Get(), kJournalStarted, &type, &data) == kErrorSuccess)
        journal.started = StringOf({type, data}).value_or("");
    if (store.QueryValue(key.Get(), kJournalKeysMade, &type, &data) == kErrorSuccess) {
        const std::optional<std::uint32_t> count = DwordOf({type, data});
        if (!count || *count > std::size(kProgramKeys)) throw RegistryError(kMsgJournalUnreadable);
        journal.programKeysMade.emplace(std::begin(kProgramKeys),
                                        std::begin(kProgramKeys) + *count);
    }
    for (std::size_t i = 1;; ++i) {
        const long read = store.QueryValue(key.Get(), std::to_string(i), &type, &data);
        if (read == kErrorFileNotFound) break;
        JournalEntry entry;
        if (read || type != kRegBinary || !Decode(data, &entry))
            throw RegistryError(kMsgJournalUnreadable);
        if (!ProgramWrites(entry.root, entry.path, entry.name, entry.kind != JournalEntry::Value))
            throw RegistryError(kMsgJournalNotOwn);
        journal.entries.push_back(std::move(entry));
    }
    return journal;
}

std::string DeleteRunJournal(RegistryStore& store,
                             const std::vector<std::string>& emptyKeysToDelete) {
    const long error = store.DeleteKey(kHkeyLocalMachine, kJournalKey);
    if (error && error != kErrorFileNotFound) return kJournalKey;
    for (const std::string& path : emptyKeysToDelete) {
        if (!KeyExists(store, path)) continue;
        if (!IsEmpty(store, path)) break;  // something of the program's own is kept there
        if (store.DeleteKey(kHkeyLocalMachine, path)) return path;
    }
    ScopedKey above(store);
    if (store.OpenKey(kHkeyLocalMachine, KeyExists(store, kProgramKey) ? kProgramKey : "SOFTWARE",
                      kKeyRead, above.Out()) == kErrorSuccess)
        store.FlushKey(above.Get());
    return {};
}

std::string EndWithJournal(RegistryStore& store, void* ending) {
    JournalEnding& end = *static_cast<JournalEnding*>(ending);
    FlushWrittenKeys(store, *end.commit);
    const std::string kept = DeleteRunJournal(store, end.programKeys);
    if (kept == kJournalKey) return FormatMessageText(kMsgDeleteKeyFailed, "\\" + kept);
    if (!kept.empty()) end.note = FormatMessageText(kNoteEmptyKeyKept, kept);
    return {};
}

}  // namespace sentrel
