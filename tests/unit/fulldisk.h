// A disk that takes no more than a few bytes more per file, for the scope
// of the object: writes past the limit fail as on a full disk (EFBIG; the
// signal that would end the process is ignored meanwhile).
#pragma once

#include <sys/resource.h>

#include <csignal>

class Fulldisk {
public:
    explicit Fulldisk(rlim_t bytes = 40)
    {
        getrlimit(RLIMIT_FSIZE, &before);
        previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = before;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~Fulldisk()
    {
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, previous);
    }
    Fulldisk(const Fulldisk&) = delete;
    Fulldisk& operator=(const Fulldisk&) = delete;

private:
    rlimit before{};
    void (*previous)(int) = nullptr;
};
