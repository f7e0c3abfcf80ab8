#pragma once

#include "ClassRun.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// What a teacher learns from a class's runs, per section: each learner's runs, and per question
// how many got it right in their first full run, which wrong answers misled, and whether the
// question tells the stronger learners from the weaker.
namespace classstats {

struct LearnerRun {
    QString learner;
    QDateTime when;
    history::RunKind kind = history::RunKind::Full;
    qint32 score = 0;
    qint32 maxScore = 0;
};

struct QuestionStat {
    qint32 number = 0;
    QString fingerprint;
    QString start;
    QString correct;
    int attempts = 0; // first full runs that asked it
    int right = 0;
    // The wrong answers given and how often, most chosen first; an empty answer: left unanswered.
    QList<std::pair<QString, int>> wrongAnswers;
    // The share right among the top quarter of learners (by their first full run's score
    // against its maximum) less that among the bottom quarter; none with fewer than two
    // learners or when a quarter did not answer it.
    std::optional<double> discrimination;

    double rate() const { return attempts > 0 ? double(right) / attempts : 0; }
};

struct Section {
    QString name;
    QList<LearnerRun> runs;        // by learner, then oldest first
    QList<QuestionStat> questions; // the hardest first (lowest rate), then by number
    int learnersWithFullRun = 0;
};

// The sections of the runs, sorted by name.
QList<Section> sections(const QList<classrun::Run> &runs);

} // namespace classstats
