#pragma once

#include <QByteArray>

// A hidden temporary file beside a target (".<name>.tovia-XXXXXX"), renamed over the target
// on commit and removed otherwise, so that the target only ever holds its old content or its
// complete new content. Each method returns 0 or the errno of the failure.
class TempFile {
public:
    explicit TempFile(const QByteArray& target);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Creates the file with the target's permissions, or 0644 for a new target.
    int create();
    int write(const QByteArray& content);
    // Copies everything from sourceFd's current offset, letting the kernel move the data.
    int copyFrom(int sourceFd);
    // Forces the data to the disk; only for small files whose loss would hurt.
    int sync();
    // Closes the file and renames it over the target.
    int commit();

private:
    QByteArray m_target;
    QByteArray m_path;
    int m_fd = -1;
    bool m_committed = false;
};
