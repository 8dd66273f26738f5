#include "file_system_faults.h"

namespace orvelin::testing {
namespace {

using Faults = FileSystemFaults;

const FileSystemCalls interceptingCalls{
    Faults::intercepted<FileCall::Stat, &FileSystemCalls::stat>(),
    Faults::intercepted<FileCall::Realpath, &FileSystemCalls::realpath>(),
    Faults::intercepted<FileCall::Access, &FileSystemCalls::access>(),
    Faults::intercepted<FileCall::Open, &FileSystemCalls::open>(),
    Faults::intercepted<FileCall::Mkostemp, &FileSystemCalls::mkostemp>(),
    Faults::intercepted<FileCall::Read, &FileSystemCalls::read>(),
    Faults::intercepted<FileCall::Write, &FileSystemCalls::write>(),
    Faults::intercepted<FileCall::Fchown, &FileSystemCalls::fchown>(),
    Faults::intercepted<FileCall::Fchmod, &FileSystemCalls::fchmod>(),
    Faults::intercepted<FileCall::Flock, &FileSystemCalls::flock>(),
    Faults::intercepted<FileCall::Fsync, &FileSystemCalls::fsync>(),
    Faults::intercepted<FileCall::Close, &FileSystemCalls::close>(),
    Faults::intercepted<FileCall::Rename, &FileSystemCalls::rename>(),
    Faults::intercepted<FileCall::Unlink, &FileSystemCalls::unlink>(),
};

} // namespace

FileSystemFaults::FileSystemFaults() : Interception(interceptingCalls) {}

} // namespace orvelin::testing
