#pragma once

// A database kept on a server, as one user works on it: read whole into memory as from a file,
// then saved by writing only the records changed, added or removed since, in one transaction.
// Each record's row, revision and a digest of its content as loaded are kept here, beside the
// records, so that a save can tell what this user changed from what others changed meanwhile.

#include "core/database.h"
#include "core/progress.h"
#include "engine/database_commands.h"
#include "server/postgres.h"
#include "server/server_schema.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace quillmark {

// A record this user changed (or removed) that another user changed (or removed) since it
// was loaded.
struct SaveConflict {
    std::shared_ptr<ItemRecord> record;
    enum Kind {
        ChangedByOther,  // both changed it
        DeletedByOther,  // this user changed it, the other removed it
        RemovedHere,     // this user removed it, the other changed it
    } kind = ChangedByOther;
    std::int64_t theirRevision = 0;  // the record's revision on the server, when it has one
};

struct ServerSaveResult {
    // When there are any nothing was written: each needs KeepTheirs or KeepMine first.
    std::vector<SaveConflict> Conflicts;
    // Records others changed, added or removed that this user had not touched, now as the
    // server has them.
    int BroughtUpToDate = 0;
    // Others changed the database's settings and this user had not: they are loaded too.
    bool SettingsReloaded = false;
};

enum class ServerOpenOutcome { Opened, WrongReadPassword };

struct ServerOpenResult {
    ServerOpenOutcome Outcome = ServerOpenOutcome::Opened;
    bool SaveAllowed = true;     // the database's save password was given, and the login may write
    bool ReadOnlyLogin = false;  // the login may only read the tables
};

class ServerDatabase {
public:
    // Connects to the address (postgresql://...?quillmark=NAME); the password is asked only
    // when the server wants one that libpq found nowhere. Throws ServerError.
    static std::unique_ptr<ServerDatabase> Connect(const std::string& address,
                                                   const ServerPasswordPrompt& askPassword = {});

    // The address without a password, for titles and Recent Files.
    const std::string& Address() const { return address_; }
    const std::string& Name() const { return name_; }
    // The database the next Create or Open is about.
    void SetName(const std::string& name);
    ServerConnection& Connection() { return *connection_; }

    // The names of the Quillmark databases on the server, sorted. Throws ServerDatabaseError
    // when there are none or the login may not see them.
    std::vector<std::string> ListDatabases();
    bool Exists();

    // Reads the database: its settings first, then, once its read password was given, its
    // records. Throws ServerDatabaseError (no such database, no rights) or ServerError.
    ServerOpenResult Open(Database& database, const PasswordPrompt& askPassword,
                          const ProgressReport& progress = {});
    // The file's version value the database was pushed with.
    const std::string& FileVersion() const { return fileVersion_; }

    // Stores the database as a new one under the name, making the tables first if need be;
    // `replace` first removes one of that name. Throws ServerDatabaseError when one exists and
    // is not to be replaced.
    void Create(Database& database, const std::string& fileVersion, bool replace,
                const ProgressReport& progress = {});

    // What a test does at the moment a save is about to commit.
    std::function<void()> BeforeCommit;

    // Writes what changed since the database was opened or last saved, in one transaction. A
    // broken connection is made again first. Throws ServerError; nothing is written then and
    // the records stay as they are, to be saved again.
    ServerSaveResult Save(Database& database);
    // The answers to a conflict: the record as the other user left it (brought back, or gone),
    // or this user's version written over theirs at the next save.
    void KeepTheirs(Database& database, const SaveConflict& conflict);
    void KeepMine(const SaveConflict& conflict);

private:
    struct Loaded {
        std::int64_t id = 0;
        std::int32_t position = 0;
        std::int64_t revision = 0;
        std::uint64_t digest = 0;
        // Kept mine over the other user's revision: written even though the server has it.
        std::optional<std::int64_t> overwrites;
        std::uint64_t seen = 0;  // the save that last found it in the list
    };
    ServerDatabase(std::unique_ptr<ServerConnection> connection, std::string address,
                   std::string connectionUri, std::string name);
    void Remember(std::shared_ptr<ItemRecord> record, std::int64_t id, std::int32_t position,
                  std::int64_t revision, std::optional<std::uint64_t> digest = std::nullopt);

    std::unique_ptr<ServerConnection> connection_;
    std::string address_;
    std::string connectionUri_;
    std::string name_;
    std::string fileVersion_;
    std::int32_t databaseId_ = 0;
    std::int64_t settingsRevision_ = 0;
    std::uint64_t generation_ = 0;  // counts the saves, for Loaded::seen
    Database loadedSettings_;
    // The side table: every record as loaded or last saved, by the record itself, and the
    // records by their rows.
    std::unordered_map<std::shared_ptr<ItemRecord>, Loaded> loaded_;
    std::unordered_map<std::int64_t, std::shared_ptr<ItemRecord>> byId_;
    void Forget(const std::shared_ptr<ItemRecord>& record);
};

}  // namespace quillmark
