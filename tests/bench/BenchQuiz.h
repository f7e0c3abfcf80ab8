#pragma once

#include <QString>

// The benchmarks' quiz, question by question: what the quiz file holds for question number n
// (from 1), so the program and the minimal anchor show the very same pages. About 1 KB a
// question in the file, as in the large quizzes users keep.
namespace benchquiz {

inline QString question(int n) {
    return QStringLiteral("<P>問 %1</P>").arg(n) +
           QString::fromUtf8(
               "<P>日本で一番長い川は<B>信濃川</B>である。では二番目に長い川はどれか。</P>"
               "<TABLE border=1><TR><TD>信濃川</TD><TD>367 km</TD><TD>新潟県・長野県</TD></TR>"
               "<TR><TD>利根川</TD><TD>322 km</TD><TD>関東地方</TD></TR>"
               "<TR><TD>石狩川</TD><TD>268 km</TD><TD>北海道</TD></TR></TABLE>"
               "<P>流路延長は国土交通省の河川データによる。流域面積で比べると順位が入れ替わり，"
               "利根川が一番広く，石狩川がそれに次ぐ。信濃川は長野県では千曲川と呼ばれ，"
               "新潟県に入ってから信濃川の名になる。長さと広さのどちらで比べるかで答えが"
               "変わる問題は，試験によく出るので注意すること。</P>");
}

inline QString choices(int n) {
    return QString::fromUtf8("<OL><LI>利根川<LI>石狩川<LI>天塩川<LI>北上川</OL>"
                             "<P>(問 %1 の選択肢)</P>")
        .arg(n);
}

inline QString answer() {
    return QStringLiteral("1");
}

// A fragment as the program hands it to a pane: wrapped in a page of its own.
inline QString page(const QString &fragment) {
    return QStringLiteral("<html><body>") + fragment + QStringLiteral("</body></html>");
}

} // namespace benchquiz
