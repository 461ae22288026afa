#include "server/server_database.h"

#include "core/file_messages.h"
#include "core/password_cipher.h"
#include "core/windows1252.h"
#include "server/database_row.h"
#include "server/record_rows.h"
#include "server/server_address.h"

#include <algorithm>
#include <unordered_set>

namespace quillmark {

namespace {

// A database's name in a message: "Staff".
std::string Named(const std::string& name)
{
    return "\"" + TextInMessage(name) + "\"";
}

std::string IdArray(const std::vector<std::int64_t>& ids)
{
    std::string array = "{";
    for (const std::int64_t id : ids) {
        array += (array.size() > 1 ? "," : "") + std::to_string(id);
    }
    return array + "}";
}

// Ids for new record rows, from the record table's own sequence.
std::vector<std::int64_t> NewRecordIds(ServerConnection& connection, std::size_t count)
{
    std::vector<std::int64_t> ids;
    if (count == 0) {
        return ids;
    }
    const QueryResult drawn = connection.Run(
        "SELECT nextval(pg_get_serial_sequence('record', 'id')) "
        "FROM generate_series(1, $1::integer)",
        {std::to_string(count)});
    ids.reserve(count);
    for (int row = 0; row < drawn.Rows(); ++row) {
        ids.push_back(drawn.Integer(row, 0));
    }
    return ids;
}

// Puts what the server has into the record every window shares, keeping what only this
// program's windows mark on it.
void ReplaceContent(ItemRecord& record, ItemRecord&& fresh)
{
    fresh.SheetRow = record.SheetRow;
    fresh.InSearchList = record.InSearchList;
    fresh.SearchHit = record.SearchHit;
    fresh.Marked = record.Marked;
    record = std::move(fresh);
}

void RemoveFromList(ItemRecordList& list, const std::shared_ptr<ItemRecord>& record)
{
    std::erase(list, record);
}

}  // namespace

ServerDatabase::ServerDatabase(std::unique_ptr<ServerConnection> connection, std::string address,
                               std::string connectionUri, std::string name)
    : connection_(std::move(connection)),
      address_(std::move(address)),
      connectionUri_(std::move(connectionUri)),
      name_(std::move(name))
{
}

std::unique_ptr<ServerDatabase> ServerDatabase::Connect(const std::string& address,
                                                        const ServerPasswordPrompt& askPassword)
{
    const std::optional<ServerAddress> parsed = ParseServerAddress(address);
    if (!parsed) {
        throw ServerDatabaseError(FileNameInMessage(address) + " is not a server's address.");
    }
    std::unique_ptr<ServerConnection> connection =
        ServerConnection::Connect(parsed->ConnectionUri, askPassword);
    return std::unique_ptr<ServerDatabase>(
        new ServerDatabase(std::move(connection), AddressWithoutPassword(address),
                           parsed->ConnectionUri, Utf8ToWindows1252Lossy(parsed->DatabaseName)));
}

void ServerDatabase::SetName(const std::string& name)
{
    name_ = name;
    address_ = AddressWithoutPassword(AddressOfDatabase(connectionUri_, Windows1252ToUtf8(name)));
}

std::vector<std::string> ServerDatabase::ListDatabases()
{
    ExpectSchema(*connection_);
    if (LoginAccess(*connection_) == ServerAccess::None) {
        throw ServerDatabaseError(NoRightsMessage(*connection_));
    }
    const QueryResult names = connection_->Run("SELECT name FROM quillmark_database ORDER BY name");
    std::vector<std::string> listed;
    for (int row = 0; row < names.Rows(); ++row) {
        listed.push_back(FromServerText(names.Text(row, 0)));
    }
    return listed;
}

bool ServerDatabase::Exists()
{
    return InstalledSchemaVersion(*connection_) != 0 &&
           connection_
                   ->Run("SELECT 1 FROM quillmark_database WHERE name = $1", {ToServerText(name_)})
                   .Rows() > 0;
}

ServerOpenResult ServerDatabase::Open(Database& database, const PasswordPrompt& askPassword,
                                      const ProgressReport& progress)
{
    ExpectSchema(*connection_);
    const ServerAccess access = LoginAccess(*connection_);
    if (access == ServerAccess::None) {
        throw ServerDatabaseError(NoRightsMessage(*connection_));
    }
    const QueryResult head =
        connection_->Run("SELECT id, revision, file_version, " + SettingsColumns() +
                             " FROM quillmark_database WHERE name = $1",
                         {ToServerText(name_)});
    if (head.Rows() == 0) {
        throw ServerDatabaseError("There is no Quillmark database named " + Named(name_) +
                                  " on this server.");
    }
    Database opened;
    ReadSettings(head, 0, 3, opened);
    ServerOpenResult result;
    // The database's own passwords, as a file's.
    for (const PasswordKind kind : {PasswordKind::Read, PasswordKind::Save}) {
        const std::string password = DecipherPassword(
            kind == PasswordKind::Read ? opened.ReadPassword : opened.SavePassword);
        if (password.empty() || askPassword(kind).value_or("") == password) {
            continue;
        }
        if (kind == PasswordKind::Read) {
            result.Outcome = ServerOpenOutcome::WrongReadPassword;
            return result;
        }
        result.SaveAllowed = false;
    }
    result.ReadOnlyLogin = access == ServerAccess::ReadOnly;
    result.SaveAllowed = result.SaveAllowed && !result.ReadOnlyLogin;

    databaseId_ = static_cast<std::int32_t>(head.Integer(0, 0));
    std::vector<LoadedRecord> records =
        LoadRecords(*connection_, "r.database_id = $1", std::to_string(databaseId_), progress);
    loaded_.clear();
    byId_.clear();
    loaded_.reserve(records.size());
    byId_.reserve(records.size());
    opened.RecordList.reserve(records.size());
    for (LoadedRecord& record : records) {
        opened.RecordList.push_back(record.record);
    }
    const std::vector<std::uint64_t> digests = FiledContentDigests(opened.RecordList);
    for (std::size_t i = 0; i < records.size(); ++i) {
        Remember(std::move(records[i].record), records[i].id, records[i].position,
                 records[i].revision, digests[i]);
    }
    settingsRevision_ = head.Integer(0, 1);
    fileVersion_ = std::string(head.Text(0, 2));
    loadedSettings_ = SettingsOnly(opened);
    database = std::move(opened);
    return result;
}

void ServerDatabase::Create(Database& database, const std::string& fileVersion, bool replace,
                            const ProgressReport& progress)
{
    if (connection_->Broken()) {
        connection_->Reconnect();
    }
    PrepareSchema(*connection_);
    ServerTransaction transaction(*connection_);
    const std::string serverName = ToServerText(name_);
    const QueryResult existing = connection_->Run(
        "SELECT id FROM quillmark_database WHERE name = $1 FOR UPDATE", {serverName});
    if (existing.Rows() > 0) {
        if (!replace) {
            throw ServerDatabaseError("A database named " + Named(name_) +
                                      " is already on the server.");
        }
        connection_->Run("DELETE FROM quillmark_database WHERE id = $1",
                         {std::string(existing.Text(0, 0))});
    }
    std::vector<std::optional<std::string>> values = {serverName, fileVersion};
    for (std::optional<std::string>& value : SettingsValues(database)) {
        values.push_back(std::move(value));
    }
    const QueryResult made = connection_->Run(
        "INSERT INTO quillmark_database (name, file_version, " + SettingsColumns() +
            ") VALUES ($1, $2, " + SettingsPlaceholders(3) + ") RETURNING id, revision",
        values);
    const auto databaseId = static_cast<std::int32_t>(made.Integer(0, 0));
    const ItemRecordList& list = database.RecordList;
    const std::vector<std::int64_t> ids = NewRecordIds(*connection_, list.size());
    RecordRows rows;
    for (std::size_t i = 0; i < list.size(); ++i) {
        AppendRecordRows(rows, *list[i], ids[i], databaseId, static_cast<std::int32_t>(i), 1);
        if (progress) {
            progress(i + 1, list.size());
        }
    }
    CopyRecordRows(*connection_, rows);
    transaction.Commit();
    // The planner's figures for tables that just grew, so that the next open reads them well.
    connection_->Run("ANALYZE record, record_line, skill, schedule_slot, experience, picture");

    databaseId_ = databaseId;
    settingsRevision_ = made.Integer(0, 1);
    fileVersion_ = fileVersion;
    loadedSettings_ = SettingsOnly(database);
    loaded_.clear();
    byId_.clear();
    loaded_.reserve(list.size());
    byId_.reserve(list.size());
    const std::vector<std::uint64_t> digests = FiledContentDigests(list);
    for (std::size_t i = 0; i < list.size(); ++i) {
        Remember(list[i], ids[i], static_cast<std::int32_t>(i), 1, digests[i]);
    }
}

void ServerDatabase::Remember(std::shared_ptr<ItemRecord> record, std::int64_t id,
                              std::int32_t position, std::int64_t revision,
                              std::optional<std::uint64_t> digest)
{
    // A copy of the pointer: the caller's may be the one in byId_ that is replaced here.
    const auto [entry, added] = loaded_.try_emplace(record);
    if (!added) {
        byId_.erase(entry->second.id);
    }
    entry->second = Loaded{id, position, revision, digest ? *digest : FiledContentDigest(*record),
                           std::nullopt};
    byId_[id] = record;
}

void ServerDatabase::Forget(const std::shared_ptr<ItemRecord>& record)
{
    if (const auto found = loaded_.find(record); found != loaded_.end()) {
        byId_.erase(found->second.id);
        loaded_.erase(found);
    }
}

ServerSaveResult ServerDatabase::Save(Database& database)
{
    if (connection_->Broken()) {
        connection_->Reconnect();
    }
    ItemRecordList& list = database.RecordList;
    // What this user did: records changed, added and removed, and records only moved.
    struct Written {
        std::shared_ptr<ItemRecord> record;
        Loaded* book;  // null for a record added here
        std::int32_t position;
        std::uint64_t digest;
    };
    std::vector<Written> written;
    std::vector<std::pair<std::int64_t, std::int32_t>> moved;
    // Each record of the list is stamped as seen; those left unstamped were removed.
    ++generation_;
    std::unordered_set<const ItemRecord*> added;
    const std::vector<std::uint64_t> digests = FiledContentDigests(list);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::shared_ptr<ItemRecord>& record = list[i];
        const auto position = static_cast<std::int32_t>(i);
        const auto found = loaded_.find(record);
        if (found == loaded_.end()) {
            if (added.insert(record.get()).second) {
                written.push_back({record, nullptr, position, digests[i]});
            }
            continue;
        }
        Loaded& book = found->second;
        if (book.seen == generation_) {
            continue;  // the same record twice in the list
        }
        book.seen = generation_;
        const std::uint64_t digest = digests[i];
        if (digest != book.digest || book.overwrites) {
            written.push_back({record, &book, position, digest});
        } else if (book.position != position) {
            moved.emplace_back(book.id, position);
        }
    }
    std::vector<std::pair<std::shared_ptr<ItemRecord>, Loaded*>> removed;
    std::unordered_set<std::int64_t> touched;
    for (auto& [record, book] : loaded_) {
        if (book.seen != generation_) {
            removed.emplace_back(record, &book);
            touched.insert(book.id);
        }
    }
    for (const Written& record : written) {
        if (record.book != nullptr) {
            touched.insert(record.book->id);
        }
    }

    ServerTransaction transaction(*connection_);
    const std::string databaseId = std::to_string(databaseId_);
    const QueryResult head = connection_->Run("SELECT revision, " + SettingsColumns() +
                                                  " FROM quillmark_database WHERE id = $1 "
                                                  "FOR UPDATE",
                                              {databaseId});
    if (head.Rows() == 0) {
        throw ServerDatabaseError("The database " + Named(name_) + " is no longer on the server.");
    }
    const QueryResult onServer =
        connection_->Run("SELECT id, revision FROM record WHERE database_id = $1", {databaseId});
    std::unordered_map<std::int64_t, std::int64_t> revisions;
    revisions.reserve(static_cast<std::size_t>(onServer.Rows()));
    for (int row = 0; row < onServer.Rows(); ++row) {
        revisions.emplace(onServer.Integer(row, 0), onServer.Integer(row, 1));
    }

    ServerSaveResult result;
    for (const Written& record : written) {
        if (record.book == nullptr) {
            continue;
        }
        const auto server = revisions.find(record.book->id);
        if (server == revisions.end()) {
            if (!record.book->overwrites) {
                result.Conflicts.push_back({record.record, SaveConflict::DeletedByOther, 0});
            }
        } else if (server->second != record.book->revision &&
                   record.book->overwrites != server->second) {
            result.Conflicts.push_back(
                {record.record, SaveConflict::ChangedByOther, server->second});
        }
    }
    for (const auto& [record, book] : removed) {
        const auto server = revisions.find(book->id);
        if (server != revisions.end() && server->second != book->revision &&
            book->overwrites != server->second) {
            result.Conflicts.push_back({record, SaveConflict::RemovedHere, server->second});
        }
    }
    if (!result.Conflicts.empty()) {
        return result;  // rolled back: nothing was written
    }

    // Removed here, and changed here (written again under the same id).
    std::vector<std::int64_t> gone;
    for (const auto& [record, book] : removed) {
        if (revisions.contains(book->id)) {
            gone.push_back(book->id);
        }
    }
    std::size_t newRows = 0;
    for (const Written& record : written) {
        if (record.book != nullptr && revisions.contains(record.book->id)) {
            gone.push_back(record.book->id);
        } else {
            ++newRows;
        }
    }
    if (!gone.empty()) {
        connection_->Run("DELETE FROM record WHERE id = ANY($1::bigint[])", {IdArray(gone)});
    }
    const std::vector<std::int64_t> newIds = NewRecordIds(*connection_, newRows);
    std::vector<std::pair<std::int64_t, std::int64_t>> writtenAs;  // id and revision of each
    RecordRows rows;
    std::size_t nextNew = 0;
    for (const Written& record : written) {
        std::int64_t id = 0;
        std::int64_t revision = 1;
        if (record.book != nullptr && revisions.contains(record.book->id)) {
            id = record.book->id;
            revision = revisions[id] + 1;
        } else {
            id = newIds[nextNew++];
        }
        AppendRecordRows(rows, *record.record, id, databaseId_, record.position, revision);
        writtenAs.emplace_back(id, revision);
    }
    CopyRecordRows(*connection_, rows);
    if (!moved.empty()) {
        std::vector<std::int64_t> ids;
        std::string positions = "{";
        for (const auto& [id, position] : moved) {
            ids.push_back(id);
            positions += (positions.size() > 1 ? "," : "") + std::to_string(position);
        }
        connection_->Run(
            "UPDATE record SET position = moved.position "
            "FROM unnest($1::bigint[], $2::integer[]) AS moved(id, position) "
            "WHERE record.id = moved.id",
            {IdArray(ids), positions + "}"});
    }
    const std::int64_t serverSettings = head.Integer(0, 0);
    std::int64_t settingsRevision = settingsRevision_;
    const bool mySettings = !SettingsEqual(database, loadedSettings_);
    if (mySettings) {
        std::vector<std::optional<std::string>> values = {databaseId};
        for (std::optional<std::string>& value : SettingsValues(database)) {
            values.push_back(std::move(value));
        }
        connection_->Run("UPDATE quillmark_database SET (" + SettingsColumns() + ") = ROW(" +
                             SettingsPlaceholders(2) + "), revision = revision + 1 WHERE id = $1",
                         values);
        settingsRevision = serverSettings + 1;
    }

    // What others did to records this user left alone, read in the same transaction.
    const auto& byId = byId_;
    std::vector<std::int64_t> fresh;
    for (const auto& [id, revision] : revisions) {
        const auto known = byId.find(id);
        if (known == byId.end() ||
            (!touched.contains(id) && loaded_.at(known->second).revision != revision)) {
            fresh.push_back(id);
        }
    }
    std::vector<std::shared_ptr<ItemRecord>> deletedByOthers;
    for (const auto& [record, book] : loaded_) {
        if (!touched.contains(book.id) && !revisions.contains(book.id)) {
            deletedByOthers.push_back(record);
        }
    }
    std::vector<LoadedRecord> others;
    if (!fresh.empty()) {
        others = LoadRecords(*connection_, "r.id = ANY($1::bigint[])", IdArray(fresh));
    }
    if (BeforeCommit) {
        BeforeCommit();
    }
    transaction.Commit();

    // Saved: the side table follows what the server now has.
    // What this user wrote and removed; the records others changed keep their rows, so they are
    // still found by them below.
    std::vector<std::shared_ptr<ItemRecord>> removedRecords;
    for (const auto& [record, book] : removed) {
        removedRecords.push_back(record);
    }
    for (std::size_t i = 0; i < written.size(); ++i) {
        Remember(written[i].record, writtenAs[i].first, written[i].position, writtenAs[i].second,
                 written[i].digest);
    }
    for (const std::shared_ptr<ItemRecord>& record : removedRecords) {
        Forget(record);
    }
    for (const auto& [id, position] : moved) {
        loaded_.at(byId.at(id)).position = position;
    }
    // Others' new records go where they put them, as far as this list reaches.
    for (LoadedRecord& other : others) {
        const auto known = byId.find(other.id);
        if (known != byId.end()) {
            ReplaceContent(*known->second, std::move(*other.record));
            Remember(known->second, other.id, other.position, other.revision);
        } else {
            Remember(other.record, other.id, other.position, other.revision);
            const auto at = std::min<std::size_t>(
                static_cast<std::size_t>(std::max(other.position, 0)), list.size());
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), other.record);
        }
    }
    for (const std::shared_ptr<ItemRecord>& record : deletedByOthers) {
        RemoveFromList(list, record);
        Forget(record);
    }
    result.BroughtUpToDate = static_cast<int>(others.size() + deletedByOthers.size());
    if (!mySettings && serverSettings != settingsRevision_) {
        ReadSettings(head, 0, 1, database);
        result.SettingsReloaded = true;
        settingsRevision = serverSettings;
    }
    settingsRevision_ = settingsRevision;
    loadedSettings_ = SettingsOnly(database);
    return result;
}

void ServerDatabase::KeepTheirs(Database& database, const SaveConflict& conflict)
{
    const auto found = loaded_.find(conflict.record);
    if (found == loaded_.end()) {
        return;
    }
    std::vector<LoadedRecord> fresh;
    if (conflict.kind != SaveConflict::DeletedByOther) {
        fresh = LoadRecords(*connection_, "r.id = $1::bigint", std::to_string(found->second.id));
    }
    ItemRecordList& list = database.RecordList;
    if (fresh.empty()) {
        RemoveFromList(list, conflict.record);
        Forget(conflict.record);
        return;
    }
    ReplaceContent(*conflict.record, std::move(*fresh.front().record));
    if (conflict.kind == SaveConflict::RemovedHere) {
        const auto at =
            std::min<std::size_t>(static_cast<std::size_t>(fresh.front().position), list.size());
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), conflict.record);
    }
    Remember(conflict.record, fresh.front().id, fresh.front().position, fresh.front().revision);
}

void ServerDatabase::KeepMine(const SaveConflict& conflict)
{
    const auto found = loaded_.find(conflict.record);
    if (found != loaded_.end()) {
        // A record gone from the server is written as a new one; -1 stands for any revision.
        found->second.overwrites =
            conflict.kind == SaveConflict::DeletedByOther ? -1 : conflict.theirRevision;
    }
}

}  // namespace quillmark
