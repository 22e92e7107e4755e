#include "forms/mainhooks.h"

#include <algorithm>

namespace mintor::forms {

namespace {
std::vector<QWidget*> closables;
}

MainHooks& main_hooks() {
    static MainHooks hooks;
    return hooks;
}

void register_closable_form(QWidget* form) {
    if (std::find(closables.begin(), closables.end(), form) == closables.end()) closables.push_back(form);
}

void unregister_closable_form(QWidget* form) {
    closables.erase(std::remove(closables.begin(), closables.end(), form), closables.end());
}

const std::vector<QWidget*>& closable_forms() { return closables; }

}  // namespace mintor::forms
