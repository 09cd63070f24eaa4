#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

// The option names a text mentions ("-o", "--fps", "--srt-crlf"), wherever they stand, and
// the ranges it states ("0 から 3600"); a dash inside a word ("brisomel-cli", "UTF-8") starts
// no name.
QSet<QString> optionNames(const QString& text) {
    static const QRegularExpression option(u"(?<![\\w-])--?[A-Za-z][\\w-]*|-?\\d+ から \\d+"_s);
    QSet<QString> names;
    for (const QRegularExpressionMatch& match : option.globalMatch(text)) {
        names.insert(match.captured());
    }
    return names;
}

std::string listed(const QSet<QString>& names) {
    QStringList sorted(names.begin(), names.end());
    sorted.sort();
    return sorted.join(u' ').toStdString();
}

// The manual page's text as a reader sees it: no comments, no font changes, "\-" a plain dash.
QString manualText(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QRegularExpression(u"^\\.\\\\\".*$"_s, QRegularExpression::MultilineOption));
    text.remove(QRegularExpression(u"\\\\f(\\[[^\\]]*\\]|\\(..|.)"_s));
    return text.replace(u"\\-"_s, u"-"_s);
}

QString helpText() {
    QProcess process;
    process.start(QStringLiteral(BRISOMEL_CLI_PATH), {u"--help"_s});
    EXPECT_TRUE(process.waitForFinished(60000));
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The exit statuses the help's last line names ("終了コード: 0 成功、1 …") or the manual page's
// section lists (".B 0" entries under "終了ステータス").
QSet<QString> helpStatuses(const QString& help) {
    const QString line = help.section(u"終了コード:"_s, 1).section(u'\n', 0, 0);
    static const QRegularExpression status(u"(\\d+) "_s);
    QSet<QString> statuses;
    for (const QRegularExpressionMatch& match : status.globalMatch(line)) {
        statuses.insert(match.captured(1));
    }
    return statuses;
}

QSet<QString> manualStatuses(const QString& manual) {
    const QString section = manual.section(u".SH 終了ステータス"_s, 1).section(u"\n.SH"_s, 0, 0);
    static const QRegularExpression status(u"^\\.B (\\d+)$"_s, QRegularExpression::MultilineOption);
    QSet<QString> statuses;
    for (const QRegularExpressionMatch& match : status.globalMatch(section)) {
        statuses.insert(match.captured(1));
    }
    return statuses;
}

} // namespace

// The manual page is written by hand; this keeps it to the options the converter has.
TEST(ManPage, ListsExactlyTheOptionsAndRangesOfTheHelp) {
    const QSet<QString> help = optionNames(helpText());
    ASSERT_TRUE(help.contains(u"--fps"_s) && help.contains(u"-o"_s))
        << "the help lists no options: " << listed(help);
    const QSet<QString> manual = optionNames(manualText(QStringLiteral(BRISOMEL_MAN_PAGE)));
    EXPECT_EQ(listed(QSet(help).subtract(manual)), "") << "in the help, not in the manual page";
    EXPECT_EQ(listed(QSet(manual).subtract(help)), "") << "in the manual page, not in the help";
}

TEST(ManPage, ListsTheExitStatusesOfTheHelp) {
    const QSet<QString> help = helpStatuses(helpText());
    ASSERT_TRUE(help.contains(u"2"_s)) << "the help names no statuses: " << listed(help);
    EXPECT_EQ(listed(manualStatuses(manualText(QStringLiteral(BRISOMEL_MAN_PAGE)))), listed(help));
}
