#pragma once
// Account type codes (account.type2) and what follows from them: the base type a group
// holds, whether a code is a group, and the names shown for each code.

#include <QString>

namespace mintor {

enum AccType : int {
    kTypeExternal = 1,       // external account (bank, card, cash)
    kTypeCategory = 3,       // internal account washed to the default pot
    kTypeCounterparty = 4,
    kTypePot = 6,            // internal account that keeps its balance
    kTypeExternalGroup = 8,
    kTypeCptyGroup = 9,
    kTypeInternalGroup = 10,
    kTypeDiary = 11,
};

// 8 -> 1, 9 -> 4, 10 -> 6; every other code is its own base type.
int base_type(int type2);
// True for the group codes 8, 9 and 10.
bool is_group_type(int type2);
// Categories and pots.
bool is_internal_type(int type2);
// "External Account", "Internal Account", ...; an unknown code gives the number + " not known".
// Lower case unless as_written.
QString acc_type_name(int type2, bool as_written = false);

}  // namespace mintor
