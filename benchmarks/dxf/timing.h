// Timing helpers of the DXF benchmarks, and the side-by-side run of Debian's ezdxf.
#pragma once
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace dxfbench {

template <class Fn>
double seconds(Fn&& fn)
{
    const auto start = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Writes the text to a temporary file and times ezdxf.readfile on it (with /usr/bin/python3,
// where Debian's python3-ezdxf lives); says so when ezdxf is not installed.
inline void compareWithEzdxf(const std::string& text, double megabytes, double ourReadSeconds)
{
    char path[] = "/tmp/kestra-dxf-bench-XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd < 0) return;
    std::FILE* file = ::fdopen(fd, "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    const std::string command =
        std::string("/usr/bin/python3 -c \"import sys,time\ntry:\n import ezdxf\nexcept ImportError:\n "
                    "print('missing'); sys.exit(0)\nt=time.perf_counter(); ezdxf.readfile('") +
        path + "'); print(time.perf_counter()-t)\" 2>/dev/null";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    char answer[64] = {};
    if (pipe) {
        if (!std::fgets(answer, sizeof answer, pipe)) answer[0] = 0;
        ::pclose(pipe);
    }
    ::unlink(path);
    const double ezdxfSeconds = std::atof(answer);
    if (ezdxfSeconds <= 0) {
        std::printf("  ezdxf: not available (install python3-ezdxf for /usr/bin/python3)\n");
        return;
    }
    std::printf("  ezdxf readfile, same file       %8.3f s  %8.1f MB/s  (%.1fx slower than ours)\n", ezdxfSeconds,
                megabytes / ezdxfSeconds, ezdxfSeconds / ourReadSeconds);
}

}  // namespace dxfbench
