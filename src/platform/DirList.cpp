#include "DirList.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>

namespace {
constexpr int kPathRole = Qt::UserRole;
}

DirList::DirList(QWidget *parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemActivated, this, &DirList::openEntry);
    setPath(QDir::currentPath());
}

bool DirList::setPath(const QString &folder) {
    const QFileInfo info(folder);
    if (!info.isDir() || !QDir(folder).isReadable())
        return false;
    const QString canonical = info.canonicalFilePath();
    if (canonical == m_path)
        return true;
    m_path = canonical;
    fill();
    emit pathChanged(m_path);
    return true;
}

void DirList::fill() {
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    // The current path from the root down, each folder indented one step further.
    QStringList chain;
    for (QDir dir(m_path);;) {
        chain.prepend(dir.absolutePath());
        if (!dir.cdUp())
            break;
    }
    int depth = 0;
    for (const QString &folder : chain) {
        const QString name = depth == 0 ? folder : QFileInfo(folder).fileName();
        auto *item = new QListWidgetItem(open, QString(depth * 2, QLatin1Char(' ')) + name, this);
        item->setData(kPathRole, folder);
        ++depth;
    }
    setCurrentRow(count() - 1);
    const QFileInfoList subfolders = QDir(m_path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                                QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &sub : subfolders) {
        auto *item = new QListWidgetItem(
            closed, QString(depth * 2, QLatin1Char(' ')) + sub.fileName(), this);
        item->setData(kPathRole, sub.absoluteFilePath());
    }
}

void DirList::openEntry(QListWidgetItem *item) {
    if (item)
        setPath(item->data(kPathRole).toString());
}
