#pragma once
// The job orvelin-cli runs on each file it is named: the window's job, with what the command line
// adds before and after it.

#include "batch.h"
#include "cli_options.h"

#include <string_view>

namespace orvelin::cli {

// The options' job on a file, with password, which must outlive the job. The password file is
// never rewritten, under any of its names.
BatchJob fileJob(const Options &options, std::u16string_view password);

} // namespace orvelin::cli
