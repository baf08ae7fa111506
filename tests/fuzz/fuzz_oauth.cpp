// What reaches an OAuth 2.0 sign-in from outside: a request to the
// loopback listener (any process of the machine may send one), the token
// endpoint's answer, and an oauth.ini someone wrote. Nothing crashes; a
// request is read whole or not at all and never past its limit; an answer
// gives a token or says why not; and every provider taken from the file
// has https endpoints (http only on a loopback host), a client id and
// hosts.

#include "account/oauthflow/oauthwire.h"
#include "account/oauthproviders.h"
#include "fuzzinput.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const oauthwire::Request request = oauthwire::readRequest(bytes);
    FUZZ_CHECK(request.read != oauthwire::Request::Read::Complete ||
               (request.path.startsWith(u'/') && bytes.indexOf("\r\n\r\n") <= oauthwire::MaxRequest));

    FuzzInput in(data, size);
    const int status = 100 + in.byte() * 2;
    const oauthwire::TokenAnswer answer = oauthwire::readTokenAnswer(status, bytes);
    FUZZ_CHECK(answer.ok() != !answer.error.isEmpty() || answer.accessToken.isEmpty());
    FUZZ_CHECK(!answer.ok() || status == 200);
    FUZZ_CHECK(answer.expiresIn >= -1);

    static const QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("oauth.ini"));
    QFile file(ini);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();
    QStringList problems;
    for (const OAuthProvider &p : oauthproviders::load({ini}, problems))
        FUZZ_CHECK(oauthproviders::problem(p).isEmpty());
    return 0;
}
