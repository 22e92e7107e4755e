#include "core/acctypes.h"

namespace mintor {

int base_type(int type2) {
    switch (type2) {
    case kTypeExternalGroup: return kTypeExternal;
    case kTypeCptyGroup: return kTypeCounterparty;
    case kTypeInternalGroup: return kTypePot;
    default: return type2;
    }
}

bool is_group_type(int type2) {
    return type2 == kTypeExternalGroup || type2 == kTypeCptyGroup || type2 == kTypeInternalGroup;
}

bool is_internal_type(int type2) { return type2 == kTypeCategory || type2 == kTypePot; }

QString acc_type_name(int type2, bool as_written) {
    QString name;
    switch (type2) {
    case kTypeExternal: name = QStringLiteral("External Account"); break;
    case kTypeCategory:
    case kTypePot: name = QStringLiteral("Internal Account"); break;
    case kTypeCounterparty: name = QStringLiteral("Counterparty"); break;
    case kTypeExternalGroup: name = QStringLiteral("External Account Group"); break;
    case kTypeCptyGroup: name = QStringLiteral("Counterparty Group"); break;
    case kTypeInternalGroup: name = QStringLiteral("Internal Account Group"); break;
    case kTypeDiary: name = QStringLiteral("Diary"); break;
    default: name = QString::number(type2) + QStringLiteral(" not known"); break;
    }
    return as_written ? name : name.toLower();
}

}  // namespace mintor
