#include "support/MemoryStore.h"

#include <algorithm>
#include <cctype>

namespace sentrel {

namespace {

std::string Upper(const std::string& s) {
    std::string u(s);
    for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

// Splits "A\B\C" into its names; empty parts (doubled or trailing backslashes) are skipped,
// as the registry skips them.
std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

}  // namespace


struct MemoryStore::Node {
    std::string name;
    Node* parent = nullptr;
    bool deleted = false;
    bool denied = false;
    std::map<std::string, std::shared_ptr<Node>> children;  // by upper-case name: sorted
    struct Value {
        std::string name;
        std::uint32_t type;
        Bytes data;
    };
    std::vector<Value> values;  // creation order
    Bytes security;             // the descriptor last set, or none

    Value* FindValue(const std::string& valueName) {
        for (Value& v : values)
            if (SameName(v.name, valueName)) return &v;
        return nullptr;
    }
};

MemoryStore::MemoryStore() {
    for (HKey root : {kHkeyCurrentUser, kHkeyLocalMachine}) {
        roots_[root] = std::make_shared<Node>();
        roots_[root]->name = root == kHkeyLocalMachine ? "HKLM" : "HKCU";
    }
}

MemoryStore::~MemoryStore() = default;

std::shared_ptr<MemoryStore::Node> MemoryStore::Resolve(HKey key) const {
    auto root = roots_.find(key);
    if (root != roots_.end()) return root->second;
    auto open = handles_.find(key);
    if (open != handles_.end()) return open->second;
    return nullptr;
}

long MemoryStore::Live(HKey key, std::shared_ptr<Node>& node) const {
    node = Resolve(key);
    if (!node) return kErrorInvalidHandle;
    return node->deleted ? kErrorKeyDeleted : kErrorSuccess;
}

long MemoryStore::Start(HKey parent, const std::string& subKey,
                        std::shared_ptr<Node>& node) const {
    if (long rc = Live(parent, node)) return rc;
    if (!subKey.empty() && subKey[0] == '\\') return kErrorBadPathname;
    return kErrorSuccess;
}

long MemoryStore::OpenKey(HKey parent, const std::string& subKey, std::uint32_t access,
                          HKey* result) {
    std::shared_ptr<Node> node;
    if (long rc = Start(parent, subKey, node)) return rc;
    for (const std::string& part : SplitPath(subKey)) {
        auto child = node->children.find(Upper(part));
        if (child == node->children.end()) return kErrorFileNotFound;
        node = child->second;
    }
    // A denied key is read-only for everyone: an open that asks for read access alone succeeds.
    if (node->denied && (access & ~kKeyRead) != 0) return kErrorAccessDenied;
    *result = HandleFor(node);
    return kErrorSuccess;
}

long MemoryStore::CreateKey(HKey parent, const std::string& subKey, std::uint32_t /*access*/,
                            HKey* result, bool* made) {
    std::shared_ptr<Node> node;
    if (long rc = Start(parent, subKey, node)) return rc;
    std::vector<std::string> parts = SplitPath(subKey);
    // Check before making anything: a refused create leaves the hive as it was.
    std::shared_ptr<Node> probe = node;
    for (const std::string& part : parts) {
        auto child = probe->children.find(Upper(part));
        if (child == probe->children.end()) break;
        probe = child->second;
    }
    if (probe->denied) return kErrorAccessDenied;
    bool making = false;
    for (const std::string& part : parts) {
        auto& slot = node->children[Upper(part)];
        making = !slot;
        if (!slot) {
            slot = std::make_shared<Node>();
            slot->name = part;
            slot->parent = node.get();
        }
        node = slot;
    }
    if (made) *made = making;
    *result = HandleFor(node);
    return kErrorSuccess;
}

HKey MemoryStore::HandleFor(const std::shared_ptr<Node>& node) {
    if (sharedHandles_) {
        for (const auto& [handle, open] : handles_) {
            if (open != node) continue;
            ++opens_[handle];
            return handle;
        }
    }
    const HKey handle = nextHandle_++;
    handles_[handle] = node;
    opens_[handle] = 1;
    return handle;
}

long MemoryStore::CloseKey(HKey key) {
    if (roots_.count(key)) return kErrorSuccess;
    auto open = opens_.find(key);
    if (open == opens_.end()) return kErrorInvalidHandle;
    if (--open->second > 0) return kErrorSuccess;
    opens_.erase(open);
    handles_.erase(key);
    return kErrorSuccess;
}

long MemoryStore::QueryValue(HKey key, const std::string& name, std::uint32_t* type, Bytes* data,
                             std::size_t maxSize) {
    std::shared_ptr<Node> node;
    if (long rc = Live(key, node)) return rc;
    Node::Value* value = node->FindValue(name);
    if (!value) return kErrorFileNotFound;
    if (data && value->data.size() > maxSize) return kErrorMoreData;
    if (type) *type = value->type;
    if (data) *data = value->data;
    return kErrorSuccess;
}

long MemoryStore::SetValue(HKey key, const std::string& name, std::uint32_t type,
                           const std::uint8_t* data, std::size_t size) {
    std::shared_ptr<Node> node;
    if (long rc = Live(key, node)) return rc;
    Bytes bytes(data, data + size);
    if (Node::Value* value = node->FindValue(name)) {
        value->type = type;
        value->data = std::move(bytes);
    } else {
        node->values.push_back({name, type, std::move(bytes)});
    }
    return kErrorSuccess;
}

long MemoryStore::DeleteValue(HKey key, const std::string& name) {
    std::shared_ptr<Node> node;
    if (long rc = Live(key, node)) return rc;
    auto it = std::find_if(node->values.begin(), node->values.end(),
                           [&](const Node::Value& v) { return SameName(v.name, name); });
    if (it == node->values.end()) return kErrorFileNotFound;
    node->values.erase(it);
    return kErrorSuccess;
}

long MemoryStore::DeleteKey(HKey parent, const std::string& subKey) {
    std::shared_ptr<Node> node = Resolve(parent);
    if (!node) return kErrorInvalidHandle;
    if (!subKey.empty() && subKey[0] == '\\') return kErrorBadPathname;
    std::vector<std::string> parts = SplitPath(subKey);
    if (parts.empty()) return kErrorAccessDenied;  // a key can't delete itself through ""
    Node* owner = nullptr;
    for (const std::string& part : parts) {
        auto child = node->children.find(Upper(part));
        if (child == node->children.end()) return kErrorFileNotFound;
        owner = node.get();
        node = child->second;
    }
    if (node->denied) return kErrorAccessDenied;
    if (!node->children.empty()) return kErrorAccessDenied;
    node->deleted = true;
    owner->children.erase(Upper(node->name));
    return kErrorSuccess;
}

long MemoryStore::EnumKey(HKey key, std::uint32_t index, std::string* name) {
    std::shared_ptr<Node> node;
    if (long rc = Live(key, node)) return rc;
    if (index >= node->children.size()) return kErrorNoMoreItems;
    auto it = node->children.begin();
    std::advance(it, index);
    *name = it->second->name;
    return kErrorSuccess;
}

long MemoryStore::EnumValue(HKey key, std::uint32_t index, std::string* name) {
    std::shared_ptr<Node> node;
    if (long rc = Live(key, node)) return rc;
    if (index >= node->values.size()) return kErrorNoMoreItems;
    *name = node->values[index].name;
    return kErrorSuccess;
}

long MemoryStore::FlushKey(HKey key) {
    std::shared_ptr<Node> node;
    if (long rc = Live(key, node)) return rc;
    std::string path;
    for (const Node* at = node.get(); at; at = at->parent)
        path = path.empty() ? at->name : at->name + "\\" + path;
    flushed.push_back(path);
    return kErrorSuccess;
}

long MemoryStore::GetKeySecurity(HKey key, Bytes* descriptor) {
    std::shared_ptr<Node> node;
    if (long rc = Live(key, node)) return rc;
    *descriptor = node->security.empty() ? defaultSecurity : node->security;
    return kErrorSuccess;
}

long MemoryStore::SetKeySecurity(HKey key, const Bytes& descriptor) {
    std::shared_ptr<Node> node;
    if (long rc = Live(key, node)) return rc;
    node->security = descriptor;
    return kErrorSuccess;
}

Bytes MemoryStore::SecurityOf(HKey root, const std::string& path) const {
    std::shared_ptr<Node> node = Resolve(root);
    for (const std::string& part : SplitPath(path)) {
        auto child = node->children.find(Upper(part));
        if (child == node->children.end() || child->second->deleted) return {};
        node = child->second;
    }
    return node->security;
}

void MemoryStore::Deny(HKey root, const std::string& path, bool denied) {
    // Walks the hive directly, making missing keys, so a key can be denied before it exists.
    std::shared_ptr<Node> node = Resolve(root);
    for (const std::string& part : SplitPath(path)) {
        auto& slot = node->children[Upper(part)];
        if (!slot) {
            slot = std::make_shared<Node>();
            slot->name = part;
            slot->parent = node.get();
        }
        node = slot;
    }
    node->denied = denied;
}

}  // namespace sentrel
