#include "support/test_cluster.h"

#include "server/postgres.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace quillmark::test {

namespace {

namespace fs = std::filesystem;

constexpr const char* TestDatabase = "quillmark_test";
constexpr const char* Superuser = "cluster_admin";

// The newest server programs Debian installed.
std::string ServerBinaries()
{
    std::string newest;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", error)) {
        const fs::path bin = entry.path() / "bin";
        if (fs::exists(bin / "initdb") && fs::exists(bin / "pg_ctl") && bin.string() > newest) {
            newest = bin.string();
        }
    }
    return newest;
}

std::string Quoted(const std::string& word)
{
    return "'" + word + "'";
}

void Shell(const std::string& command)
{
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("the test cluster could not be set up: " + command);
    }
}

TestCluster* running = nullptr;

// Stops the cluster after the last test, even when one failed.
class ClusterEnvironment : public ::testing::Environment {
public:
    void TearDown() override { TestCluster::StopAll(); }
};

}  // namespace

TestCluster& TestCluster::Get()
{
    if (running == nullptr) {
        running = new TestCluster;
        ::testing::AddGlobalTestEnvironment(new ClusterEnvironment);
        std::atexit(&TestCluster::StopAll);
    }
    return *running;
}

void TestCluster::StopAll()
{
    delete running;
    running = nullptr;
}

TestCluster::TestCluster()
{
    binaries_ = ServerBinaries();
    if (binaries_.empty()) {
        throw std::runtime_error(
            "PostgreSQL's server programs are not installed (scripts/setup.sh installs them)");
    }
    char folder[] = "/tmp/quillmark-cluster-XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        throw std::runtime_error("no temporary folder for the test cluster");
    }
    folder_ = folder;
    // The server refuses to run as root: under root it runs as an unprivileged user that owns
    // the folder.
    if (::geteuid() == 0) {
        for (const char* user : {"postgres", "nobody"}) {
            if (const passwd* entry = ::getpwnam(user)) {
                runAs_ = user;
                if (::chown(folder, entry->pw_uid, entry->pw_gid) != 0) {
                    throw std::runtime_error("the test cluster's folder could not be handed over");
                }
                break;
            }
        }
    }
    const std::string as = runAs_.empty() ? "" : "runuser -u " + runAs_ + " -- ";
    const std::string data = folder_ + "/data";
    Shell(as + binaries_ + "/initdb -D " + Quoted(data) + " -U " + Superuser +
          " -A trust -E UTF8 --locale=C.UTF-8 > " + Quoted(folder_ + "/initdb.log") + " 2>&1");
    // Nothing on TCP; durability is not worth waiting for in a cluster thrown away.
    Shell(as + binaries_ + "/pg_ctl -D " + Quoted(data) + " -l " + Quoted(folder_ + "/server.log") +
          " -w -o " +
          Quoted("-k " + folder_ +
                 " -c listen_addresses= -c fsync=off -c synchronous_commit=off "
                 "-c full_page_writes=off") +
          " start > /dev/null");
    const auto admin =
        ServerConnection::Connect("postgresql:///postgres?host=" + folder_ + "&user=" + Superuser);
    admin->Run(std::string("CREATE DATABASE ") + TestDatabase);
    Sql("CREATE ROLE quillmark LOGIN; GRANT ALL ON SCHEMA public TO quillmark;");
}

TestCluster::~TestCluster()
{
    Stop();
}

void TestCluster::Stop()
{
    const std::string as = runAs_.empty() ? "" : "runuser -u " + runAs_ + " -- ";
    const std::string command = as + binaries_ + "/pg_ctl -D " + Quoted(folder_ + "/data") +
                                " -m immediate -w stop > /dev/null 2>&1";
    [[maybe_unused]] const int stopped = std::system(command.c_str());
    std::error_code error;
    fs::remove_all(folder_, error);
}

std::string TestCluster::ConnectionUri(const std::string& login) const
{
    return std::string("postgresql:///") + TestDatabase + "?host=" + folder_ + "&user=" + login;
}

std::string TestCluster::Address(const std::string& name, const std::string& login) const
{
    return ConnectionUri(login) + "&quillmark=" + name;
}

void TestCluster::Sql(const std::string& statements) const
{
    const auto admin = ServerConnection::Connect(ConnectionUri(Superuser));
    admin->Run(statements);
}

void TestCluster::DropTables() const
{
    Sql("DROP TABLE IF EXISTS picture, experience, schedule_slot, skill, record_line, record, "
        "quillmark_database, quillmark_schema CASCADE");
}

}  // namespace quillmark::test
