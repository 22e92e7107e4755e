#pragma once
// What the main form's menus and buttons open in the other parts of the program. Each form
// fills its entry when it is created (or the start-up list does); an empty entry tells the
// user that the facility is not there (not_supported with the menu item's words).

#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace mintor::forms {

struct MainHooks {
    // Main menu
    std::function<void()> currencies;                // currencies form
    std::function<bool(int& txnid)> new_txn;         // transaction input; true with the new id
    std::function<void()> templates;
    std::function<void(int txnid)> show_txn_details; // the transaction details window
    std::function<void()> txn_search;
    std::function<void()> input_days;
    std::function<void()> journal;
    std::function<void()> repeaters;
    std::function<void()> reminders;
    std::function<void()> diary_entry;
    std::function<void()> analysis;
    std::function<void()> statistics;
    std::function<void()> healthcheck;
    std::function<bool()> archive;                   // true when the archive ran (the repair follows)
    std::function<void()> repair;
    std::function<void()> rebalance;
    std::function<void()> period_form;               // modal period form

    // Accounts pop-up (type 1 external, 6 internal, 4 counterparties)
    std::function<bool(QString& ccy)> pick_currency;
    std::function<void(int type)> balances_view;     // hierarchy and "List groups"
    std::function<void(int type)> list_accounts;
    std::function<void(int type)> acc_search;
    std::function<void()> acc_values;
    std::function<void(int type)> new_account;
    std::function<void()> new_group;
    std::function<void()> diary_postings;
    std::function<void(int id)> acc_details;

    // Start-of-database tasks
    std::function<void()> reminder_check;
    std::function<QWidget*()> reminders_form;        // the reminders form, when it exists
    std::function<void()> period_reset;              // the start-up period reset

    // The transaction last input or edited (0 = none yet).
    int last_txn_id = 0;
};

MainHooks& main_hooks();

// Forms that close before a database exchange (close_other_forms) register themselves.
void register_closable_form(QWidget* form);
void unregister_closable_form(QWidget* form);
const std::vector<QWidget*>& closable_forms();

}  // namespace mintor::forms
