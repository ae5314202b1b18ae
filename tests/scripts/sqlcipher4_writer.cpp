// Opens books through the program's own connection code, built against SQLCipher 4, and
// adds one operator; books_open_on_sqlcipher4.sh reads the row back on SQLCipher 3.
// Usage: kelopz_sqlcipher4_writer <books.mdb>
#include "db/databasekey.h"
#include "platform/sqlconnection.h"

#include <sqlite3.h>

#include <cstdio>
#include <string>

namespace {
// The version of the SQLCipher this program runs on, as the library itself tells it.
std::string cipherVersion()
{
    sqlite3 *db = nullptr;
    std::string version;
    if (sqlite3_open(":memory:", &db) == SQLITE_OK) {
        sqlite3_exec(
            db, "PRAGMA cipher_version;",
            [](void *out, int, char **values, char **) {
                *static_cast<std::string *>(out) = values[0] ? values[0] : "";
                return 0;
            },
            &version, nullptr);
    }
    sqlite3_close(db);
    return version;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelopz_sqlcipher4_writer <books.mdb>\n");
        return 2;
    }
    // Built by mistake against another SQLCipher, the check would prove nothing.
    if (const std::string version = cipherVersion(); version.rfind("4.", 0) != 0) {
        std::fprintf(stderr, "runs on SQLCipher '%s', not 4\n", version.c_str());
        return 1;
    }
    platform::SqlFailure failure;
    const auto conn = platform::SqlConnection::open(QString::fromLocal8Bit(argv[1]), mdlStandard::kDatabasePassword,
                                                    &failure);
    if (!conn) {
        std::fprintf(stderr, "cannot open the books: %s\n", qPrintable(failure.text));
        return 1;
    }
    QString error;
    if (!conn->exec(QStringLiteral("INSERT INTO czy (czyno, czyname, lxdh, password) "
                                   "VALUES ('4455', '第四版', '', '4455')"),
                    &error)) {
        std::fprintf(stderr, "cannot write the books: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
