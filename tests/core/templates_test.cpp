// Making a template of a transaction: the questions, the trimmed name, one template per
// transaction, and the transaction left as it was.
#include <gtest/gtest.h>

#include "core/templates.h"
#include "maintenance_fixture.h"

using namespace mintor;
using testing_support::Cancel;

namespace posting_testing {
namespace {

class TemplatesTest : public MaintenanceTest {
public:
    QString names() {
        QStringList out;
        QSqlQuery q = open_query(core(), "select txnid, ttname from ttemplate order by txnid");
        while (q.next()) out << q.value(0).toString() + "=" + q.value(1).toString();
        return out.join(",");
    }
};

TEST_F(TemplatesTest, OneTemplatePerTransaction) {
    const int id = stored(payment(10000, {2024, 1, 15}));
    const QString txn_rows = snapshot().section("--\n", 0, 1);
    const QString ask = "Make template from transaction #1 ?";

    host.answer_no();
    EXPECT_FALSE(make_template(core(), id));
    host.answer_yes();
    host.answer(Cancel{});
    EXPECT_FALSE(make_template(core(), id));
    EXPECT_EQ(names(), "");

    host.clear();
    host.answer_yes();
    host.answer(QString("  Weekly 'shop'  "));
    EXPECT_TRUE(make_template(core(), id));
    EXPECT_EQ(host.questions(), (QStringList{ask, "Template name"}));
    EXPECT_EQ(host.flash_text, "Template created ok");
    EXPECT_EQ(names(), "1=Weekly 'shop'");
    EXPECT_EQ(snapshot().section("--\n", 0, 1), txn_rows) << "the transaction is not touched";

    host.clear();
    EXPECT_FALSE(make_template(core(), id));
    EXPECT_EQ(host.messages(), QStringList{"This transaction is already in a template : \"Weekly 'shop'\""});
    EXPECT_TRUE(host.questions().isEmpty());
    EXPECT_FALSE(make_template(core(), 42));
    EXPECT_EQ(host.messages().last(), "Txn not found 42");
    EXPECT_EQ(names(), "1=Weekly 'shop'");
}

}  // namespace
}  // namespace posting_testing
