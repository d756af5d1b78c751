// tarvik-reader: reads one model file for the host, in a sandbox, and
// answers over the socket the host gives it as descriptor 3.
//
//   tarvik-reader FILE          read FILE, answer on descriptor 3
//   tarvik-reader --check DIR   enter the sandbox for DIR, say which
//                               protections are in force, and try what
//                               it must refuse

#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ModelFile.h"
#include "ReaderAnswer.h"
#include "Sandbox.h"

namespace {
uint64_t address_bound = 0;

// Allocation failed within the bound: said, and the process ends, since
// no reader can go on sanely from there.
void out_of_memory() {
    send_reader_message(reader_socket, {ReaderMessage::out_of_memory, 0, address_bound});
    _exit(3);
}

// The answer's memory, made before the sandbox (whose file size limit
// would forbid growing it) as large as any answer can be, and sparse.
class AnswerFile {
public:
    explicit AnswerFile(uint64_t largest)
        : fd_(memfd_create("tarvik-answer", MFD_CLOEXEC | MFD_ALLOW_SEALING)) {
        if (fd_ >= 0 && ftruncate(fd_, off_t(largest)) != 0) {
            close(fd_);
            fd_ = -1;
        }
    }

    // Writes the answer, shrinks the file to it and seals it, so that
    // the host maps what it checks.
    bool send(const ModelReading& reading) {
        const ReaderAnswerWriter answer(reading);
        void* memory =
            fd_ < 0 ? MAP_FAILED : mmap(nullptr, answer.size(), PROT_WRITE, MAP_SHARED, fd_, 0);
        if (memory == MAP_FAILED) {
            return false;
        }
        answer.write(static_cast<uchar*>(memory));
        munmap(memory, answer.size());
        return ftruncate(fd_, off_t(answer.size())) == 0 &&
               fcntl(fd_, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) ==
                   0 &&
               send_reader_message(reader_socket, {ReaderMessage::answer, 0, answer.size()}, fd_);
    }

private:
    int fd_;
};

int read_for_the_host(const char* path) {
    // A link is followed first: the sandbox opens the folder of the file
    // itself, wherever the link stands.
    const QFileInfo given(QFile::decodeName(path));
    const QString name =
        given.canonicalFilePath().isEmpty() ? given.absoluteFilePath() : given.canonicalFilePath();
    const QFileInfo info(name);
    const SandboxLimits limits = limits_for(uint64_t(std::max<qint64>(info.size(), 0)));
    address_bound = limits.address_space;
    // Larger than the address space: the answer cannot take all of it.
    AnswerFile answer(limits.address_space > 0 ? limits.address_space : uint64_t(1) << 40);
    prepare_reading(name);
    enter_sandbox(QFile::encodeName(info.absolutePath()).toStdString(), limits);
    std::set_new_handler(&out_of_memory);
    quint64 told = 0;
    const ModelReading reading = read_model(name, [&](double done) {
        const auto thousandths = quint64(done * 1000);
        if (thousandths > told) {
            told = thousandths;
            send_reader_message(reader_socket, {ReaderMessage::progress, 0, thousandths});
        }
        return true;
    });
    return answer.send(reading) ? 0 : 1;
}

std::string attempt(bool allowed) {
    return allowed ? "allowed" : std::string("refused: ") + std::strerror(errno);
}

bool read_some(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    char byte;
    const bool read_one = read(fd, &byte, 1) >= 0;
    close(fd);
    return read_one;
}

bool read_a_file_in(const std::string& folder) {
    DIR* listing = opendir(folder.c_str());
    bool read_one = false;
    while (listing && !read_one) {
        const dirent* entry = readdir(listing);
        if (!entry) {
            break;
        }
        read_one = entry->d_type == DT_REG && read_some(folder + "/" + entry->d_name);
    }
    if (listing) {
        closedir(listing);
    }
    return read_one;
}

int check(const std::string& folder) {
    for (const std::string& line : enter_sandbox(folder, limits_for(0))) {
        std::printf("protection %s\n", line.c_str());
    }
    std::printf("attempt read the model's folder: %s\n", attempt(read_a_file_in(folder)).c_str());
    std::printf("attempt read outside it: %s\n", attempt(read_some("/etc/passwd")).c_str());
    const std::string written = folder + "/written-by-the-reader";
    std::printf("attempt write a file: %s\n",
                attempt(open(written.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600) >= 0).c_str());
    std::printf("attempt open a socket: %s\n",
                attempt(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0) >= 0).c_str());
    std::fflush(stdout);
    char* const arguments[] = {const_cast<char*>("/bin/true"), nullptr};
    execv("/bin/true", arguments);
    std::printf("attempt run a program: %s\n", attempt(false).c_str());
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    // Whatever the host left open stays out of reach.
    close_range(reader_socket + 1, ~0U, 0);
    int status = 2;
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0) {
        status = check(argv[2]);
    } else if (argc == 2) {
        status = read_for_the_host(argv[1]);
    } else {
        std::fprintf(stderr, "usage: tarvik-reader FILE (answers on descriptor 3)\n"
                             "       tarvik-reader --check FOLDER\n");
    }
    std::fflush(stdout);
    // The sandbox forbids what a leak checker at exit would need.
    _exit(status);
}
