#include "account/oauthflow.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#ifndef QUILLON_OAUTH_MODULE
#error QUILLON_OAUTH_MODULE must name the module relative to the folder of the program
#endif

namespace {

// Loaded once and kept: the flows it makes run its code. The module sits
// where it is installed relative to the program, the same in the build
// tree, so no search path or environment decides what code is loaded.
MakeOAuthFlow *entryPoint(QString &error)
{
    static QLibrary module;
    static MakeOAuthFlow *make = nullptr;
    if (!make) {
        module.setFileName(QDir::cleanPath(QCoreApplication::applicationDirPath() + u'/' +
                                           QStringLiteral(QUILLON_OAUTH_MODULE)));
        make = reinterpret_cast<MakeOAuthFlow *>(module.resolve(MakeOAuthFlowSymbol));
        if (!make)
            error = module.errorString();
    }
    return make;
}

} // namespace

namespace oauthflow {

std::unique_ptr<OAuthFlow> make(const OAuthProvider &provider, OAuthFlow::Handlers handlers,
                                QString &error)
{
    MakeOAuthFlow *const make = entryPoint(error);
    if (!make)
        return nullptr;
    return std::unique_ptr<OAuthFlow>(make(provider, std::move(handlers)));
}

} // namespace oauthflow
