#include "sim/Trace.h"

#include <cerrno>
#include <cstring>

namespace bxl::sim {

Trace::~Trace() {
    if (file_) std::fclose(file_);
}

bool Trace::open(const std::string& path, std::string& error) {
    file_ = std::fopen(path.c_str(), "w");
    if (!file_) error = "cannot write trace " + path + ": " + std::strerror(errno);
    return file_ != nullptr;
}

void Trace::frame(const char* direction, const Frame& f, const char* note) {
    if (!file_) return;
    const double s = std::chrono::duration<double>(Clock::now() - start_).count();
    std::fprintf(file_, "%.6f %s %zu", s, direction, f.size());
    for (uint8_t b : f) std::fprintf(file_, " %02X", b);
    if (note) std::fprintf(file_, " %s", note);
    std::fputc('\n', file_);
    std::fflush(file_);
}

}  // namespace bxl::sim
