// Builds texte.mdb from the catalogue source: catalogue_build SOURCE.tsv OUT.mdb
#include "CatalogueSource.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err << "usage: catalogue_build SOURCE.tsv OUT.mdb\n";
        return 2;
    }
    QStringList errors;
    const CatalogueSource source = CatalogueSource::parseFile(args.at(1), &errors);
    for (const QString& e : errors)
        err << args.at(1) << ": " << e << '\n';
    if (!errors.isEmpty())
        return 1;
    const OperationError error = source.writeDatabase(args.at(2));
    if (error.isError()) {
        err << error.where << ": " << error.detail << '\n';
        return 1;
    }
    return 0;
}
