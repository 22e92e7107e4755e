// The ini reader and writer.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "qwellib/inifile.h"

namespace {

class Ini : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name = "test.ini") const { return dir.filePath(name); }

    void write_file(const QByteArray& bytes, const QString& name = "test.ini") const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read_file(const QString& name = "test.ini") const {
        QFile f(path(name));
        if (!f.open(QIODevice::ReadOnly)) return "<missing>";
        return f.readAll();
    }
};

TEST_F(Ini, MissingFileReadsEmptyAndSaveCreatesIt) {
    qwel::IniFile ini(path());
    EXPECT_FALSE(ini.exists());
    EXPECT_TRUE(ini.load());
    EXPECT_FALSE(ini.has("main", "Trace"));
    EXPECT_EQ(ini.read_string("main", "Trace", "dflt"), "dflt");
    ini.write_bool("main", "Trace", true);
    ini.write_int("main", "FlashInterval", 1500);
    ASSERT_TRUE(ini.save());
    EXPECT_TRUE(ini.exists());
    EXPECT_EQ(read_file(), "[main]\nTrace=1\nFlashInterval=1500\n");
}

TEST_F(Ini, ReadsKeysAndSectionsIgnoringCase) {
    write_file("; program settings\r\n"
               "[Main]\r\n"
               "  FBUserName = sysdba  \r\n"
               "DB00=/data/a=b.fdb\r\n"
               "Name=Café ünïcode\r\n"
               "# a comment=with equals\r\n"
               "\r\n"
               "[other]\r\n"
               "FBUSERNAME=else\r\n");
    qwel::IniFile ini(path());
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.read_string("main", "fbusername", ""), " sysdba");
    EXPECT_EQ(ini.read_string("MAIN", "FBUSERNAME", ""), " sysdba");
    EXPECT_EQ(ini.read_string("other", "FbUserName", ""), "else");
    EXPECT_EQ(ini.read_string("main", "db00", ""), "/data/a=b.fdb");
    EXPECT_EQ(ini.read_string("main", "name", ""), QString::fromUtf8("Café ünïcode"));
    EXPECT_FALSE(ini.has("main", "# a comment"));
    EXPECT_FALSE(ini.has("none", "FBUserName"));
    EXPECT_FALSE(ini.has("main", "missing"));
}

TEST_F(Ini, IntegersAndBooleans) {
    write_file("[main]\n"
               "a=12\nb=-7\nc= 42 \nd=12x\ne=\nf=99999999999\n"
               "t1=1\nt2=TRUE\nt3=true\nf1=0\nf2=False\nx1=2\nx2=yes\nx3=\n");
    qwel::IniFile ini(path());
    ASSERT_TRUE(ini.load());
    const struct {
        const char* key;
        int value;
    } ints[] = {{"a", 12}, {"b", -7}, {"c", 42}, {"d", 5}, {"e", 5}, {"f", 5}, {"none", 5}};
    for (const auto& c : ints) EXPECT_EQ(ini.read_int("main", c.key, 5), c.value) << c.key;

    const struct {
        const char* key;
        bool dflt;
        bool value;
    } bools[] = {
        {"t1", false, true},  {"t2", false, true}, {"t3", false, true}, {"f1", true, false},
        {"f2", true, false},  {"x1", false, false}, {"x1", true, true}, {"x2", true, true},
        {"x3", false, false}, {"none", true, true},
    };
    for (const auto& c : bools)
        EXPECT_EQ(ini.read_bool("main", c.key, c.dflt), c.value) << c.key << " " << c.dflt;
}

TEST_F(Ini, WritesInPlaceAppendsInSectionAndKeepsOtherLines) {
    write_file("; top comment\n"
               "[main]\n"
               "Trace=0\n"
               "; keep me\n"
               "BalFrom = 20240101\n"
               "\n"
               "[other]\n"
               "x=1\n");
    qwel::IniFile ini(path());
    ASSERT_TRUE(ini.load());
    ini.write_int("MAIN", "balfrom", 20250101);  // original spelling kept
    ini.write_bool("main", "TRACE", true);
    ini.write_string("main", "NewKey", "v=w");
    ini.write_string("other", "y", "2");
    ini.write_string("third", "z", "3");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(read_file(),
              "; top comment\n"
              "[main]\n"
              "Trace=1\n"
              "; keep me\n"
              "BalFrom=20250101\n"
              "NewKey=v=w\n"
              "\n"
              "[other]\n"
              "x=1\n"
              "y=2\n"
              "[third]\n"
              "z=3\n");

    qwel::IniFile again(path());
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.read_int("main", "BalFrom", 0), 20250101);
    EXPECT_EQ(again.read_string("main", "newkey", ""), "v=w");
    EXPECT_EQ(again.read_string("third", "Z", ""), "3");
}

TEST_F(Ini, DeleteKeyRemovesItsLine) {
    write_file("[main]\nBaseCurrency=GBP\nKeep=1\n[other]\nBaseCurrency=EUR\n");
    qwel::IniFile ini(path());
    ASSERT_TRUE(ini.load());
    ini.delete_key("main", "basecurrency");
    ini.delete_key("main", "absent");
    EXPECT_FALSE(ini.has("main", "BaseCurrency"));
    EXPECT_TRUE(ini.has("other", "BaseCurrency"));
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(read_file(), "[main]\nKeep=1\n[other]\nBaseCurrency=EUR\n");
}

TEST_F(Ini, ValuesRoundTripThroughTheFile) {
    qwel::IniFile ini(path());
    ASSERT_TRUE(ini.load());
    const QString values[] = {"", "plain", "a=b=c", QString::fromUtf8("€ 100 – naïve"),
                              "/home/u/My Ledgers/mintor.fdb", "semi;colon", "[not a section]"};
    int i = 0;
    for (const QString& v : values) ini.write_string("main", QString("K%1").arg(i++), v);
    ini.write_string("main", "Multi", "line one\nline two");
    ini.write_int("main", "Neg", -1);
    ASSERT_TRUE(ini.save());

    qwel::IniFile back(path());
    ASSERT_TRUE(back.load());
    i = 0;
    for (const QString& v : values)
        EXPECT_EQ(back.read_string("main", QString("K%1").arg(i++), "?"), v);
    EXPECT_EQ(back.read_string("main", "Multi", ""), "line one line two");
    EXPECT_EQ(back.read_int("main", "Neg", 0), -1);
    EXPECT_FALSE(back.has("main", "line two"));
}

TEST_F(Ini, KeysBeforeAnySectionAndFileWithoutFinalLineEnd) {
    write_file("loose=1\n[main]\nlast=2");
    qwel::IniFile ini(path());
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.read_string("", "loose", ""), "1");
    EXPECT_FALSE(ini.has("main", "loose"));
    EXPECT_EQ(ini.read_string("main", "last", ""), "2");
    ini.write_string("", "more", "3");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(read_file(), "loose=1\nmore=3\n[main]\nlast=2\n");
}

TEST_F(Ini, FailuresAreReported) {
    qwel::IniFile in_missing_folder(path("no/such/folder/x.ini"));
    EXPECT_TRUE(in_missing_folder.load());
    in_missing_folder.write_int("main", "a", 1);
    EXPECT_FALSE(in_missing_folder.save());

    ASSERT_TRUE(QDir(dir.path()).mkdir("sub.ini"));
    qwel::IniFile a_folder(path("sub.ini"));
    EXPECT_FALSE(a_folder.exists());
    EXPECT_FALSE(a_folder.load());
}

TEST_F(Ini, SaveReplacesTheFileLeavingNoTemporaries) {
    write_file("[main]\nA=1\n");
    qwel::IniFile ini(path());
    ASSERT_TRUE(ini.load());
    ini.write_int("main", "A", 2);
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(read_file(), "[main]\nA=2\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"test.ini"});
}

}  // namespace
