#include "reflection/GSpecialFiler.h"

#include "reflection/Collection.h"
#include "reflection/CollectionItem.h"
#include "reflection/RSConsts.h"
#include "reflection/Reader.h"
#include "reflection/StrUtils.h"
#include "reflection/TypInfo.h"
#include "reflection/Writer.h"

TGSpecialFiler::TGSpecialFiler(TFiler *filer, TCollection *collection)
    : FFiler(filer), FCollection(collection)
{
}

void TGSpecialFiler::WriteCollection()
{
    auto *writer = dynamic_cast<TWriter *>(FFiler);
    if (!writer)
        throw EFilerError(RSConsts::SNoWriterForFiler);
    writer->WriteValue(vaCollection);
    for (int i = 0; i < FCollection->Count(); ++i) {
        TCollectionItem *item = FCollection->Items(i);
        const TClassInfo *info = TypInfo::ClassInfoOf(item);
        // An item of a class without a description could not be made again.
        if (!info)
            throw EFilerError(RSFormat(RSConsts::SClassNotFound, typeid(*item).name()));
        writer->WriteListBegin();
        writer->WritePropName(ClassPropName);
        writer->WriteString(info->Name);
        writer->WriteProperties(item);
        writer->WriteListEnd();
    }
    writer->WriteListEnd();
}

void TGSpecialFiler::ReadCollection()
{
    auto *reader = dynamic_cast<TReader *>(FFiler);
    if (!reader)
        throw EFilerError(RSConsts::SNoReaderForFiler);
    TCollection::TUpdateScope update(FCollection);
    FCollection->Clear();
    reader->CheckValue(vaCollection);
    while (!reader->EndOfList()) {
        reader->ReadListBegin();
        const std::string name = reader->ReadPropName();
        if (!StrUtils::SameText(name, ClassPropName))
            reader->Invalid(std::string(ClassPropName) + " expected");
        const std::string className = reader->ReadString();
        const TClassInfo *info = TypInfo::FindRegisteredClass(className);
        if (!info || !info->Construct)
            throw EFilerError(RSFormat(RSConsts::SClassNotFound, className));
        reader->ReadProperties(FCollection->AddItemOfClass(info));
        reader->ReadListEnd();
    }
    reader->ReadListEnd();
}
