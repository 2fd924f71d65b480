#pragma once

class CPublishContext;

// The server pages' configuration of the web database targets: content/include/kv_config.asp for ASP pages
// and content/include/kqconfig.php for PHP pages, filled from the program folder's templates.
class CServerConfigFiles
{
public:
    explicit CServerConfigFiles(CPublishContext &context) : m_context(context) {}

    bool WriteAspConfig();
    bool WritePhpConfig();

private:
    CPublishContext &m_context;
};
