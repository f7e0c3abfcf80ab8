#pragma once

#include <QListWidget>
#include <QString>

// A folder list in the classic manner: the folders of the current path from the root down,
// then the sub-folders of the current folder. Opening an entry makes it current.
class DirList : public QListWidget {
    Q_OBJECT
public:
    explicit DirList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Moves to folder; a folder that does not exist or cannot be read keeps the previous
    // one. Returns whether the list now shows folder.
    bool setPath(const QString &folder);

signals:
    void pathChanged(const QString &path);

private:
    void fill();
    void openEntry(QListWidgetItem *item);

    QString m_path;
};
