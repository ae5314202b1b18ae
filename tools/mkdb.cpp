// Build-time tool: makes an encrypted books file from the schema-and-seed SQL.
// Usage: kelopz_mkdb <schema.sql> <out.mdb>
// It writes a temporary file first and renames it, so a failed run leaves nothing.
#include "db/databasekey.h"
#include "platform/cipherformat.h"

#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {
bool exec(sqlite3 *db, const std::string &sql)
{
    char *err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "kelopz_mkdb: %s\n", err ? err : "unknown error");
        sqlite3_free(err);
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: kelopz_mkdb <schema.sql> <out.mdb>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "kelopz_mkdb: cannot read %s\n", argv[1]);
        return 1;
    }
    std::stringstream sql;
    sql << in.rdbuf();

    const std::string out = argv[2];
    const std::string tmp = out + ".tmp";
    std::remove(tmp.c_str());
    sqlite3 *db = nullptr;
    bool ok = sqlite3_open_v2(tmp.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK &&
              exec(db, std::string("PRAGMA key='") + mdlStandard::kDatabasePassword + "';") &&
              exec(db, platform::kPinCipherFormat) && exec(db, "BEGIN;") &&
              exec(db, sql.str()) && exec(db, "COMMIT;");
    sqlite3_close(db);
    if (!ok || std::rename(tmp.c_str(), out.c_str()) != 0) {
        std::remove(tmp.c_str());
        std::fprintf(stderr, "kelopz_mkdb: failed to make %s\n", out.c_str());
        return 1;
    }
    return 0;
}
