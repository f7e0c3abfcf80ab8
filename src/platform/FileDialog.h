#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The open-file dialog, behind a wrapper so tests can name the file the user picks.
namespace filedialog {

// filter is written "name (*.ext)|*.ext", as quiz programs have always written it.
// Returns the chosen path, or an empty string when the user cancelled.
QString openFile(QWidget *parent, const QString &title, const QString &filter,
                 const QString &folder);

// The save-file dialog; asks before replacing a file. Empty when cancelled. chosenFilter, when
// given, receives the index of the filter the user chose (the first when scripted).
QString saveFile(QWidget *parent, const QString &title, const QString &filter,
                 const QString &folder, int *chosenFilter = nullptr);

// The choose-folder dialog, opened at start. Empty when cancelled.
QString chooseFolder(QWidget *parent, const QString &title, const QString &start);

// Testing: the next dialogs return these paths in turn ("" = cancelled) without showing.
void script(const QStringList &answers);
void stopScripting();
// The folder (or proposed file) each scripted dialog was opened at, since the last call.
QStringList takeAskedFolders();

} // namespace filedialog
