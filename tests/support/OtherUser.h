#pragma once

#include <QList>
#include <QString>

#include <functional>

// Runs a piece of a test as another, unprivileged user: in a child process
// that drops to uid/gid 65534 ("nobody") when the tests run as root (root
// bypasses file permissions), or keeps the test's user otherwise. The child
// reports what it saw as text, which the test compares.
namespace OtherUser {

constexpr unsigned kUid = 65534;

// The text `body` returned, or "child failed: …" when the child did not end
// normally. `groups` are supplementary groups the other user is a member of
// (only when running as root).
QString run(const std::function<QString()> &body, const QList<unsigned> &groups = {});

// Whether the other user is really another user (the tests run as root).
bool isAnotherUser();

// Makes the directory and each of its parents below the system's temporary
// directory traversable and readable by everyone, so the other user can reach
// files in it (temporary directories are private to their creator).
void openPathTo(const QString &dir);

} // namespace OtherUser
