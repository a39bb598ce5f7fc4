#include "platform/qt/desktop_keyring.h"

#include <libsecret/secret.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace vc {

namespace {

const SecretSchema* MailSchema() {
    static const SecretSchema schema = {"org.velocrest.MailLogin",
                                        SECRET_SCHEMA_NONE,
                                        {{"server", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                         {"user", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                         {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
                                        0,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr};
    return &schema;
}

// libsecret would otherwise try to start a bus of its own through X11, which can hang a program
// that has a display but no desktop session.
bool SessionBusKnown(std::string& error) {
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr) {
        return true;
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code ec;
    if (runtime != nullptr && std::filesystem::exists(std::filesystem::path(runtime) / "bus", ec)) {
        return true;
    }
    error = "no desktop keyring is running (there is no session bus)";
    return false;
}

struct tTableFree {
    void operator()(GHashTable* table) const { g_hash_table_unref(table); }
};
using tAttributes = std::unique_ptr<GHashTable, tTableFree>;

tAttributes Attributes(const std::string& server) {
    tAttributes table(g_hash_table_new_full(g_str_hash, g_str_equal, g_free, g_free));
    g_hash_table_insert(table.get(), g_strdup("server"), g_strdup(server.c_str()));
    return table;
}

bool Failed(GError* failure, std::string& error) {
    if (failure == nullptr) {
        return false;
    }
    error = failure->message != nullptr ? failure->message : "the keyring refused";
    g_error_free(failure);
    return true;
}

} // namespace

bool tDesktopKeyring::Find(std::string_view server, tSecretLogin& login, std::string& error) {
    if (!SessionBusKnown(error)) {
        return false;
    }
    const std::string key(server);
    GError* failure = nullptr;
    GList* items = secret_password_searchv_sync(
        MailSchema(), Attributes(key).get(),
        static_cast<SecretSearchFlags>(SECRET_SEARCH_UNLOCK | SECRET_SEARCH_LOAD_SECRETS), nullptr, &failure);
    if (Failed(failure, error) || items == nullptr) {
        return false;
    }
    bool found = false;
    auto* item = static_cast<SecretRetrievable*>(items->data);
    GHashTable* attributes = secret_retrievable_get_attributes(item);
    SecretValue* value = secret_retrievable_retrieve_secret_sync(item, nullptr, &failure);
    if (!Failed(failure, error) && value != nullptr) {
        const auto* user = static_cast<const char*>(g_hash_table_lookup(attributes, "user"));
        const char* password = secret_value_get_text(value);
        login.User = user != nullptr ? user : "";
        login.Password = password != nullptr ? password : "";
        found = true;
    }
    if (value != nullptr) {
        secret_value_unref(value);
    }
    if (attributes != nullptr) {
        g_hash_table_unref(attributes);
    }
    g_list_free_full(items, g_object_unref);
    return found;
}

bool tDesktopKeyring::Save(std::string_view server, const tSecretLogin& login, std::string& error) {
    if (!Remove(server, error)) {
        return false;
    }
    const std::string key(server);
    const tAttributes attributes = Attributes(key);
    g_hash_table_insert(attributes.get(), g_strdup("user"), g_strdup(login.User.c_str()));
    const std::string label = "Velocrest mail login for " + key;
    GError* failure = nullptr;
    const gboolean stored =
        secret_password_storev_sync(MailSchema(), attributes.get(), SECRET_COLLECTION_DEFAULT, label.c_str(),
                                    login.Password.c_str(), nullptr, &failure);
    return !Failed(failure, error) && stored != FALSE;
}

bool tDesktopKeyring::Remove(std::string_view server, std::string& error) {
    if (!SessionBusKnown(error)) {
        return false;
    }
    GError* failure = nullptr;
    secret_password_clearv_sync(MailSchema(), Attributes(std::string(server)).get(), nullptr, &failure);
    return !Failed(failure, error);
}

} // namespace vc
