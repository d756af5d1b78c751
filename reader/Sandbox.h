#pragma once

// The reader's sandbox, entered before the model file is opened: no new
// privileges, death with the host, the file system read-only and only
// beneath the model's folder (Landlock), an allow-list of system calls
// (seccomp), and limits on memory, time, file size, core dumps and
// descriptors. What the kernel does not offer is left out and said.

#include <string>
#include <vector>

#include "ReaderAnswer.h"

// Enters the sandbox; the lines say which protection is in force and
// which is not, and why.
std::vector<std::string> enter_sandbox(const std::string& folder, const SandboxLimits& limits);
