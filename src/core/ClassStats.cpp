#include "ClassStats.h"

#include <QHash>
#include <QMap>

#include <algorithm>
#include <cmath>

namespace classstats {
namespace {
using classrun::Run;
using Key = std::pair<qint32, QString>; // number and fingerprint

// Each learner's first full run of the section.
QList<const Run *> firstFullRuns(const QList<const Run *> &runs) {
    QMap<QString, const Run *> first;
    for (const Run *run : runs) {
        if (run->kind != history::RunKind::Full)
            continue;
        const Run *&kept = first[run->learner];
        if (!kept || run->when < kept->when)
            kept = run;
    }
    return first.values();
}

double percentOf(const Run *run) {
    return run->maxScore() > 0 ? double(run->score()) / run->maxScore() : 0;
}

// The share of these runs that answered the question right; none when none asked it.
std::optional<double> shareRight(const QList<const Run *> &runs, const Key &key) {
    int asked = 0;
    int right = 0;
    for (const Run *run : runs)
        for (const classrun::Answer &a : run->answers)
            if (a.number == key.first && a.fingerprint == key.second) {
                ++asked;
                right += a.mark == answerlog::Mark::Correct;
            }
    return asked > 0 ? std::optional<double>(double(right) / asked) : std::nullopt;
}

void addDiscrimination(QList<QuestionStat> &questions, QList<const Run *> firsts) {
    if (firsts.size() < 2)
        return;
    std::stable_sort(firsts.begin(), firsts.end(),
                     [](const Run *a, const Run *b) { return percentOf(a) > percentOf(b); });
    const auto quarter = std::max<qsizetype>(1, qsizetype(std::ceil(firsts.size() / 4.0)));
    const QList<const Run *> top = firsts.first(quarter);
    const QList<const Run *> bottom = firsts.last(quarter);
    for (QuestionStat &q : questions) {
        const Key key(q.number, q.fingerprint);
        const std::optional<double> high = shareRight(top, key);
        const std::optional<double> low = shareRight(bottom, key);
        if (high && low)
            q.discrimination = *high - *low;
    }
}

QList<QuestionStat> questionStats(const QList<const Run *> &firsts) {
    QHash<Key, qsizetype> at;
    QList<QuestionStat> stats;
    QList<QHash<QString, int>> wrong;
    for (const Run *run : firsts) {
        for (const classrun::Answer &a : run->answers) {
            qsizetype &i = at[Key(a.number, a.fingerprint)];
            if (i == 0) {
                QuestionStat fresh;
                fresh.number = a.number;
                fresh.fingerprint = a.fingerprint;
                fresh.start = a.start;
                fresh.correct = a.correct;
                stats.append(fresh);
                wrong.append(QHash<QString, int>());
                i = stats.size();
            }
            QuestionStat &q = stats[i - 1];
            ++q.attempts;
            if (a.mark == answerlog::Mark::Correct)
                ++q.right;
            else
                ++wrong[i - 1][a.given];
        }
    }
    for (qsizetype i = 0; i < stats.size(); ++i) {
        for (auto it = wrong[i].cbegin(); it != wrong[i].cend(); ++it)
            stats[i].wrongAnswers.append({it.key(), it.value()});
        std::sort(stats[i].wrongAnswers.begin(), stats[i].wrongAnswers.end(),
                  [](const auto &a, const auto &b) {
                      return a.second != b.second ? a.second > b.second : a.first < b.first;
                  });
    }
    std::stable_sort(stats.begin(), stats.end(), [](const QuestionStat &a, const QuestionStat &b) {
        return a.rate() != b.rate() ? a.rate() < b.rate() : a.number < b.number;
    });
    return stats;
}

Section sectionOf(const QString &name, QList<const Run *> runs) {
    Section section;
    section.name = name;
    std::stable_sort(runs.begin(), runs.end(), [](const Run *a, const Run *b) {
        return a->learner != b->learner ? a->learner < b->learner : a->when < b->when;
    });
    for (const Run *run : runs)
        section.runs.append({run->learner, run->when, run->kind, run->score(), run->maxScore()});
    const QList<const Run *> firsts = firstFullRuns(runs);
    section.learnersWithFullRun = int(firsts.size());
    section.questions = questionStats(firsts);
    addDiscrimination(section.questions, firsts);
    return section;
}
} // namespace

QList<Section> sections(const QList<classrun::Run> &runs) {
    QMap<QString, QList<const Run *>> bySection;
    for (const Run &run : runs)
        bySection[run.section].append(&run);
    QList<Section> result;
    for (auto it = bySection.cbegin(); it != bySection.cend(); ++it)
        result.append(sectionOf(it.key(), it.value()));
    return result;
}

} // namespace classstats
