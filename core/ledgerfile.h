#pragma once
// Ledger files on disk: creating an empty one with the project's script, and letting the
// database server (which runs as its own user) read and write a file the program made.

#include <QString>

namespace mintor {

// Runs <schema_folder>/create-ledger PATH with the given SYSDBA password (empty: the script
// finds it). On failure returns false and puts the script's words in error.
bool create_ledger_file(const QString& schema_folder, const QString& path, const QString& password,
                        QString& error);
// Makes a file the program wrote readable and writable by the database server's user.
bool make_server_accessible(const QString& path);

}  // namespace mintor
