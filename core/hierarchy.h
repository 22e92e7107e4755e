#pragma once
// The group hierarchy: account.grpid is the only truth; the display paths (account.path)
// and the membership table accingrp are rebuilt from it.

#include <QString>

#include "core/core.h"

namespace mintor {

constexpr int kMaxGroupDepth = 99;

// What the group rules look at of a group or its member.
struct GroupNode {
    int id = 0;
    QString name;
    int type2 = 0;
    QString ccy;
    int opendate = 0;
    int closedate = 99999999;
};

struct GroupCheck {
    int code = 3;
    QString message;
};

void rebuild_group_paths(Core& core);
void rebuild_accingrp(Core& core);
// Inserts the accingrp rows of one account (its parent, the parent's parent, ... to the top).
void add_acc_to_groups(Core& core, int accid);
QString group_path_of(const QString& parent_path, const QString& parent_name);
void set_acc_path(Core& core, int id, const QString& parent_name, const QString& parent_path);
// The ancestors of id, top first, each as " " + name + " :"; empty at the top level.
QString group_path_caption(Core& core, int id);
GroupCheck chk_grp_open_for_acc(const GroupNode& group, const GroupNode& member);
// False (after its message) when the group chosen as parent is the object itself, or lies
// inside it: an object cannot be put under its own descendant.
bool chk_not_self_grp(Core& core, int grpid, int id);
// True when regrouping the account must stop (the freeze-date question answered no).
bool chk_regroup_freeze(Core& core, int accid, qint64 bfdbal);

}  // namespace mintor
