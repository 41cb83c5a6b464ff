// mkdb OUT INPUT...
// Builds a database file from readable sources, in the order given:
//   *.sql  run as a script;
//   *.tsv  loaded into a table: line 1 "# <table name>", line 2 the column
//          headers (a header "Name:INTEGER" gives the column that type, TEXT
//          otherwise), then one row per line. In cells "\n", "\r", "\t" and "\\"
//          stand for themselves escaped; an empty INTEGER cell is NULL.
// The output is written beside its target and renamed into place, so an
// interrupted build never leaves a half-made data file behind.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool endsWith(const std::string &s, const std::string &tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<std::string> split(const std::string &line, char sep) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : line) {
        if (c == sep) {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts.push_back(cur);
    return parts;
}

std::string unescape(const std::string &s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            char n = s[++i];
            out += n == 'n' ? '\n' : n == 'r' ? '\r' : n == 't' ? '\t' : n;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string quoteName(const std::string &name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

bool fail(const std::string &where, const std::string &what) {
    std::cerr << "mkdb: " << where << ": " << what << "\n";
    return false;
}

bool runSql(sqlite3 *db, const std::string &path) {
    std::ifstream in(path);
    if (!in) return fail(path, "cannot read");
    std::stringstream text;
    text << in.rdbuf();
    char *err = nullptr;
    if (sqlite3_exec(db, text.str().c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string msg = err ? err : "error";
        sqlite3_free(err);
        return fail(path, msg);
    }
    return true;
}

bool loadTsv(sqlite3 *db, const std::string &path) {
    std::ifstream in(path);
    if (!in) return fail(path, "cannot read");
    std::string line;
    if (!std::getline(in, line) || line.rfind("# ", 0) != 0) return fail(path, "line 1 must be '# <table name>'");
    const std::string table = line.substr(2);
    if (!std::getline(in, line)) return fail(path, "no header line");
    std::vector<std::string> names;
    std::vector<bool> integer;
    for (const std::string &h : split(line, '\t')) {
        const auto colon = h.find(':');
        names.push_back(h.substr(0, colon));
        integer.push_back(colon != std::string::npos && h.substr(colon + 1) == "INTEGER");
    }
    std::string create = "CREATE TABLE " + quoteName(table) + " (";
    std::string insert = "INSERT INTO " + quoteName(table) + " VALUES (";
    for (size_t i = 0; i < names.size(); ++i) {
        create += (i ? ", " : "") + quoteName(names[i]) + (integer[i] ? " INTEGER" : " TEXT");
        insert += i ? ", ?" : "?";
    }
    create += ")";
    insert += ")";
    if (sqlite3_exec(db, create.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        return fail(path, sqlite3_errmsg(db));
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, insert.c_str(), -1, &st, nullptr) != SQLITE_OK) return fail(path, sqlite3_errmsg(db));
    int lineNo = 2;
    bool ok = true;
    while (ok && std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const auto cells = split(line, '\t');
        if (cells.size() != names.size()) {
            ok = fail(path + ":" + std::to_string(lineNo), "expected " + std::to_string(names.size()) + " cells");
            break;
        }
        sqlite3_reset(st);
        for (size_t i = 0; i < cells.size(); ++i) {
            const std::string v = unescape(cells[i]);
            if (integer[i] && v.empty())
                sqlite3_bind_null(st, int(i) + 1);
            else if (integer[i])
                sqlite3_bind_int64(st, int(i) + 1, std::stoll(v));
            else
                sqlite3_bind_text(st, int(i) + 1, v.c_str(), int(v.size()), SQLITE_TRANSIENT);
        }
        if (sqlite3_step(st) != SQLITE_DONE) ok = fail(path + ":" + std::to_string(lineNo), sqlite3_errmsg(db));
    }
    sqlite3_finalize(st);
    return ok;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        std::cerr << "usage: mkdb OUT INPUT...\n";
        return 2;
    }
    const std::string out = argv[1];
    const std::string tmp = out + ".part";
    std::remove(tmp.c_str());
    sqlite3 *db = nullptr;
    if (sqlite3_open(tmp.c_str(), &db) != SQLITE_OK) {
        std::cerr << "mkdb: cannot create " << tmp << "\n";
        return 1;
    }
    bool ok = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    for (int i = 2; ok && i < argc; ++i) {
        const std::string in = argv[i];
        if (endsWith(in, ".sql"))
            ok = runSql(db, in);
        else if (endsWith(in, ".tsv"))
            ok = loadTsv(db, in);
        else
            ok = fail(in, "unknown kind of source");
    }
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    ok = ok && sqlite3_exec(db, "VACUUM", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    if (!ok || std::rename(tmp.c_str(), out.c_str()) != 0) {
        std::remove(tmp.c_str());
        return 1;
    }
    return 0;
}
