#pragma once
// Transaction templates: a ttemplate row names a transaction that the templates view uses as
// the pattern of new ones. At most one template per transaction; deleting a template leaves
// its transaction.

#include "core/core.h"

namespace mintor {

// Makes a template of the transaction: refused while the database is frozen ("Cannot make
// template, database is frozen") and for a missing transaction (reported); a transaction
// already in a template gives "This transaction is already in a template : "<name>"".
// Otherwise asks "Make template from transaction #<id> ?" and the name ("Template name",
// trimmed), inserts the row and shows the notice "Template created ok". True = created.
bool make_template(Core& core, int txnid);

}  // namespace mintor
