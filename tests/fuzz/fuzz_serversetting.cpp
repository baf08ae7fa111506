// The SMTP Server setting: every text gives a valid address and way of
// securing it, or a refusal; a valid result written back as a setting
// parses to the same result.

#include "account/serveraddress.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const QString setting = in.text();
    const std::optional<ServerAddress> a = ServerAddress::parse(setting);
    if (!a)
        return 0;
    FUZZ_CHECK(!a->host.isEmpty());
    FUZZ_CHECK(a->port > 0);
    FUZZ_CHECK(!a->host.contains(u'/') && !a->host.contains(u'@') && !a->host.contains(u' '));
    const QString written = a->format();
    FUZZ_CHECK(ServerAddress::parse(written) == a);
    return 0;
}
