#include "framework/records/register.h"

#include "framework/persistence/classregistry.h"
#include "framework/records/appdata.h"
#include "framework/records/assigntable.h"
#include "framework/records/database.h"
#include "framework/records/dbdescriptor.h"
#include "framework/records/dblinks.h"
#include "framework/records/dbptrfields.h"
#include "framework/records/dbrecord.h"
#include "framework/records/enumfield.h"
#include "framework/records/enumtypes.h"
#include "framework/records/initiator.h"
#include "framework/records/intfields.h"
#include "framework/records/realfields.h"
#include "framework/records/recordtype.h"
#include "framework/records/reffields.h"
#include "framework/records/semantics.h"
#include "framework/records/setfields.h"
#include "framework/records/stringfields.h"

namespace panolcd {

void RegisterDatabaseClasses() {
    RegisterClass<TDataBaseDscrObj>();
    RegisterClass<TDataBaseDscrColl>();
    RegisterClass<TDBFilterValidator>();
    RegisterClass<TDBFilterValColl>();
    RegisterClass<TDBCaptionObj>();
    RegisterClass<TDataBase>();
    RegisterClass<TDBRecordObj>();
    RegisterClass<TDBColl>();
    RegisterClass<TDBEditValidatorsColl>();
    RegisterClass<TDBLookValidatorsColl>();
    RegisterClass<TDynDBPtrRecFieldDscr>();
    RegisterClass<THiddenDynDBPtrRecFieldDscr>();
}

void RegisterRecordClasses() {
    RegisterClass<TRecFieldTypeDscr>();
    RegisterClass<TByteRecFieldDscr>();
    RegisterClass<TByteLimRecFieldDscr>();
    RegisterClass<TWordRecFieldDscr>();
    RegisterClass<TSpecWordRecFieldDscr>();
    RegisterClass<TWordLimRecFieldDscr>();
    RegisterClass<TWordOffsRecFieldDscr>();
    RegisterClass<TSmallIntRecFieldDscr>();
    RegisterClass<TSmallIntLimRecFieldDscr>();
    RegisterClass<TSpecSmallIntRecFieldDscr>();
    RegisterClass<TSpecSmallIntLimRecFieldDscr>();
    RegisterClass<TIntegerRecFieldDscr>();
    RegisterClass<TLIntRecFieldDscr>();
    RegisterClass<TSpecLIntRecFieldDscr>();
    RegisterClass<TLIntLimRecFieldDscr>();
    RegisterClass<TDWordRecFieldDscr>();
    RegisterClass<TRealpRecFieldDscr>();
    RegisterClass<TRealpLimRecFieldDscr>();
    RegisterClass<TEnumSetFieldDscr>();
    RegisterClass<TDBStringFieldDscr>();
    RegisterClass<TLabelFieldDscr>();
    RegisterClass<TVsCodeStringDscr>();
    RegisterClass<TRefPStr_FieldDscr>();
    RegisterClass<TRefByte_FieldDscr>();
    RegisterClass<TJoinDBNullFieldDscr>();
    RegisterClass<TDscrAssignTable>();
    RegisterClass<TByteDscrAssTab>();
    RegisterClass<TWordDscrAssTab>();
    RegisterEnumFieldClasses();
    RegisterEnumTypeClasses();
    RegisterRecordTypeClasses();
    RegisterInitiatorClasses();
    RegisterDatabaseClasses();
    RegisterSemanticsClasses();
    RegisterAppDataClasses();
}

} // namespace panolcd
