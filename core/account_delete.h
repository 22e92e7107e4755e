#pragma once
// Deleting an account safely: every refusal is checked before anything is changed.

#include "core/core.h"

namespace mintor {

// Deletes the account after its checks and questions, in this order (each refusal is shown
// and gives false): the default pot; postings other than the brought-forward and diary
// ones; a group's members (asks whether to empty the group); a non-zero opening balance of
// an external account, category or pot; external accounts held with a counterparty;
// repeaters using it; postings naming it as contra; an account created before the ledger's
// start date (asks); then "Delete <type name>"<name>"?". Only then: the group is emptied
// (ResetPaths), and the brought-forward posting, the row, its counterparty-category links
// and its movte row are deleted, and a counterparty naming it as its account is cleared.
// The caller commits.
bool delete_acc(Core& core, int id);

}  // namespace mintor
