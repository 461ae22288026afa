#pragma once

// A throw-away PostgreSQL cluster for the tests of databases on a server: made in a temporary
// folder, listening only on a Unix socket there, and removed when the test program ends. It is
// started once per test program, on first use. Missing server programs fail the tests: CI
// installs them.

#include <string>

namespace quillmark::test {

class TestCluster {
public:
    // The cluster, started if need be.
    static TestCluster& Get();
    // Stops and removes it; called once the tests are done.
    static void StopAll();

    // The address of a Quillmark database on the cluster's test database, for a login.
    std::string Address(const std::string& name, const std::string& login = "quillmark") const;
    // The connection URI alone (no Quillmark database named).
    std::string ConnectionUri(const std::string& login = "quillmark") const;
    // Runs SQL as the cluster's superuser on the test database.
    void Sql(const std::string& statements) const;
    // Starts again with empty tables: every Quillmark table dropped.
    void DropTables() const;
    const std::string& Folder() const { return folder_; }

private:
    TestCluster();
    ~TestCluster();
    void Stop();

    std::string folder_;
    std::string binaries_;
    std::string runAs_;  // the unprivileged user the server programs run as under root
};

}  // namespace quillmark::test
