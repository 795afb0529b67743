#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its data tree (the folder holding "modules"). A build
// folder or a portable copy keeps it beside the executable; an installed copy
// keeps a per-user tree made from the read-only factory tree.
namespace DataTree {

struct Choice
{
    QString root; // the folder to work in; empty when no usable tree was found
    bool perUser = false;
    QString problem; // why no tree could be used
};

// The folders a tree copied from the factory holds. Files of the first three
// belong to the user once copied; the others are replaced by newer factory files.
QStringList userFolders();
QStringList factoryOwnedFolders();

// True when root holds a data tree the program can write its settings into.
bool isWritableTree(const QString &root);

// Picks the tree: beside the executable when writable there; otherwise userRoot,
// laid out or brought up to date from factoryRoot.
Choice choose(const QString &executableFolder, const QString &factoryRoot, const QString &userRoot);

// Copies what userRoot lacks from factoryRoot and replaces factory-owned files that
// the factory holds newer. A file of the user's is never overwritten. False with
// problem set when a file could not be written.
bool bringUpToDate(const QString &factoryRoot, const QString &userRoot, QString *problem);

// The defaults of an installed program: the factory tree relative to the
// executable's folder, and the user's data folder.
QString installedFactoryRoot(const QString &executableFolder);
QString userDataRoot();

} // namespace DataTree
