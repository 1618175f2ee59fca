#include "proposals/WordLists.h"

#include <string>
#include <unordered_set>

namespace {

using Words = std::unordered_set<std::string_view>;

// A list written as one text, its words parted by commas.
Words Split(std::string_view list) {
    Words words;
    for (std::size_t begin = 0; begin <= list.size();) {
        std::size_t comma = list.find(',', begin);
        if (comma == std::string_view::npos)
            comma = list.size();
        words.insert(list.substr(begin, comma - begin));
        begin = comma + 1;
    }
    return words;
}

bool In(const Words& words, std::string_view folded) {
    if (words.count(folded))
        return true;
    // "Dr." and "Dr", "Ltd." and "Ltd" alike.
    return !folded.empty() && folded.back() == '.' && words.count(folded.substr(0, folded.size() - 1));
}

const Words kJobWords = Split(
    "full-time,part-time,contract,permanent,temporary,vollzeit,teilzeit,cdi,cdd,alternance,"
    "engineer,engineers,engineering,developer,developers,development,manager,management,analyst,"
    "consultant,lead,leader,architect,intern,trainee,designer,administrator,admin,specialist,officer,"
    "director,head,executive,associate,programmer,tester,scientist,coordinator,assistant,president,"
    "founder,cofounder,co-founder,owner,accountant,technician,supervisor,representative,advisor,"
    "adviser,expert,professional,student,researcher,lecturer,professor,teacher,nurse,sales,marketing,"
    "software,senior,junior,sr,jr,principal,staff,chief,cto,ceo,cfo,coo,vp,full,stack,full-stack,"
    "frontend,front-end,backend,back-end,web,java,data,qa,devops,sre,it,hr,recruiter,secretary,clerk,"
    "operator,agent,editor,writer,translator,freelance,freelancer,self-employed,contractor,"
    "apprentice,graduate,entwickler,softwareentwickler,ingenieur,leiter,berater,projektleiter,"
    "werkstudent,praktikant,praktikantin,mitarbeiter,sachbearbeiter,entwicklerin,beraterin,leiterin,"
    "informatiker,developpeur,developpeuse,chef,stagiaire,responsable,directeur,directrice,"
    "consultante,ingenieure,desarrollador,desarrolladora,ingeniero,ingeniera,analista,jefe,jefa,"
    "gerente,sviluppatore,sviluppatrice,programmatore,ingegnere,responsabile,ontwikkelaar,adviseur,"
    "utvecklare,konsult,utvikler,udvikler,konsulent,programista,kierownik,administratrice,administrateur,"
    "technicienne,technicien,analyste,architecte,assistante,gestionnaire,cheffe,chargee,administradora,"
    "administrador,tecnico,tecnica,arquitecto,arquitecta,programadora,programador,becario,becaria,"
    "amministratore,administratorin,werkstudentin,managerin,desenvolvedor,engenheiro,"
    "ohjelmistokehittaja,support,operations,product,project,program,programme,technical,tech,"
    "solutions,systems,network,database,dba,security,cloud,mobile,embedded,test,testing,quality,ux,"
    "ui,team,member,partner,trainer,instructor,tutor,mentor,fellow,postdoc,phd,candidate,volunteer,"
    "worker,employee,business");

const Words kOrganizationWords =
    Split("company,technologies,technology,solutions,systems,software,services,consulting,consultancy,"
          "consultants,group,bank,university,universitat,universite,universidad,universita,universiteit,"
          "universitet,college,institute,institut,instituto,istituto,labs,lab,laboratories,laboratory,"
          "infotech,infosystems,industries,international,holdings,holding,networks,digital,media,studio,"
          "studios,agency,hospital,clinic,partners,associates,enterprises,enterprise,foundation,gruppe,"
          "werke,ministry,council,government,corporation,incorporated,limited,ventures,capital,insurance,"
          "motors,electronics,pharma,pharmaceuticals,telecom,communications,logistics,energy,retail,"
          "airlines,school,academy,hochschule,fachhochschule,akademie,stiftung,gesellschaft,versicherung,"
          "societe,sociedad,societa,groupe,grupo,gruppo,bv,analytics,interactive,dynamics,innovations,"
          "automotive,engineering");

const Words kLegalForms =
    Split("ltd,limited,inc,incorporated,corp,corporation,llc,llp,plc,gmbh,ag,kg,kgaa,se,sa,s.a,sas,sarl,bv,"
          "b.v,nv,n.v,ab,as,a/s,asa,oy,oyj,spa,s.p.a,srl,s.r.l,pvt,co,aps,ug,e.v,sl,s.l,lda,sp,z.o.o,pty,"
          "ohg,eg,kft,s.r.o,a.s,pte,lp");

const Words kPlaceNames =
    Split("india,germany,deutschland,france,spain,espana,italy,italia,netherlands,nederland,holland,sweden,"
          "sverige,norway,norge,denmark,danmark,finland,suomi,poland,polska,portugal,brazil,brasil,austria,"
          "osterreich,switzerland,schweiz,suisse,svizzera,belgium,belgique,belgie,uk,united kingdom,"
          "england,scotland,wales,ireland,usa,us,united states,canada,australia,singapore,uae,china,japan,"
          "mexico,argentina,chile,colombia,peru,turkey,greece,czechia,czech republic,hungary,romania,"
          "luxembourg,estonia,latvia,lithuania,slovakia,slovenia,croatia,serbia,bulgaria,ukraine,israel,"
          "egypt,south africa,new zealand,sri lanka,nepal,bangladesh,pakistan,malaysia,indonesia,"
          "philippines,vietnam,thailand,korea,qatar,saudi arabia,kuwait,oman,bahrain,maharashtra,karnataka,"
          "tamil nadu,kerala,telangana,gujarat,west bengal,uttar pradesh,haryana,rajasthan,punjab,bavaria,"
          "bayern,california,texas,berlin,munich,munchen,hamburg,frankfurt,koln,cologne,stuttgart,"
          "dusseldorf,leipzig,dresden,hannover,nuremberg,nurnberg,bremen,bonn,paris,lyon,marseille,"
          "toulouse,lille,nantes,bordeaux,madrid,barcelona,valencia,sevilla,seville,bilbao,rome,roma,milan,"
          "milano,turin,torino,naples,napoli,florence,firenze,bologna,amsterdam,rotterdam,utrecht,"
          "eindhoven,den haag,the hague,brussels,bruxelles,brussel,antwerp,antwerpen,ghent,gent,vienna,"
          "wien,graz,zurich,geneva,geneve,basel,bern,lausanne,stockholm,goteborg,gothenburg,malmo,uppsala,"
          "oslo,bergen,trondheim,copenhagen,kobenhavn,aarhus,helsinki,espoo,tampere,warsaw,warszawa,krakow,"
          "wroclaw,gdansk,lisbon,lisboa,porto,prague,praha,budapest,dublin,london,manchester,birmingham,"
          "edinburgh,glasgow,leeds,bristol,cambridge,oxford,new york,san francisco,los angeles,chicago,"
          "boston,seattle,austin,toronto,vancouver,montreal,sydney,melbourne,mumbai,bombay,delhi,new delhi,"
          "bangalore,bengaluru,chennai,madras,hyderabad,kolkata,calcutta,pune,noida,gurgaon,gurugram,"
          "ahmedabad,jaipur,lucknow,chandigarh,kochi,cochin,indore,nagpur,coimbatore,trivandrum,"
          "thiruvananthapuram,bhubaneswar,mysore,mysuru,vadodara,surat,dubai,abu dhabi,doha,riyadh,tokyo,"
          "beijing,shanghai,hong kong,remote,hybrid,europe,asia,tallinn,riga,vilnius,athens,istanbul,"
          "bucharest,sofia,zagreb,ljubljana,bratislava,belgrade,kyiv,kiev,moscow,st. petersburg,essen,"
          "dortmund,mannheim,karlsruhe,heidelberg,aachen,darmstadt,wiesbaden,mainz,grenoble,nice,"
          "strasbourg,rennes,montpellier,zaragoza,malaga,genoa,genova,palermo,verona,padova,"
          "the netherlands,navi mumbai,thane,ghaziabad,faridabad,secunderabad,visakhapatnam,vijayawada,"
          "madurai,mangalore,patna,bhopal,kanpur,agra,nashik");

const Words kParticles =
    Split("van,von,de,da,der,den,del,della,di,du,des,la,le,bin,bint,al,el,dos,das,do,y,e,ten,ter,zu,af,av,"
          "ibn,st.,lo,ni,mac,ap,degli,dei,d',l',vom,zum,zur,und");

const Words kHonorifics =
    Split("dr,prof,professor,mr,mrs,ms,miss,mx,sir,dame,herr,frau,mme,mlle,sr,sra,srta,dott,dott.ssa,ing,"
          "dipl.-ing,dipl.-inf,dipl.-kfm,mag,eng,er,shri,smt,kum,dr.-ing,dr.ing,ir,drs,mgr,rev,adv,ca,capt,"
          "col,lt,hon");

const Words kCredentials =
    Split("phd,ph.d,mba,m.b.a,msc,m.sc,bsc,b.sc,ma,m.a,ba,b.a,md,m.d,cpa,cfa,pmp,pe,p.e,p.eng,ceng,mcse,"
          "ccna,acca,aca,fca,cissp,csm,frcs,mrcp,llb,ll.b,llm,ll.m,jd,j.d,dphil,d.phil,mphil,m.phil,meng,"
          "m.eng,beng,b.eng,btech,b.tech,mtech,m.tech,mca,bca,dipl.-ing,m.s,b.s,rn,esq");

const Words kResumeWords =
    Split("english,german,deutsch,french,francais,spanish,espanol,italian,italiano,dutch,nederlands,"
          "swedish,svenska,norwegian,norsk,danish,dansk,finnish,suomi,polish,polski,portuguese,portugues,"
          "russian,chinese,mandarin,japanese,korean,arabic,hindi,marathi,tamil,telugu,kannada,malayalam,"
          "bengali,gujarati,punjabi,urdu,turkish,greek,czech,hungarian,romanian,native,fluent,basic,"
          "intermediate,advanced,proficient,beginner,mother,tongue,muttersprache,fliessend,grundkenntnisse,"
          "courant,langue,maternelle,nativo,madrelingua,moedertaal,january,february,march,september,"
          "october,november,december,januar,februar,marz,oktober,dezember,address,adresse,direccion,"
          "indirizzo,phone,mobile,email,e-mail,mail,linkedin,github,website,portfolio,homepage,skype,"
          "nationality,nationalitat,nationalite,married,single,unmarried,born,birth,date,place,male,female,"
          "gender,sex,status,marital,religion,passport,visa,driving,licence,license,dob,geboren,"
          "familienstand,ledig,verheiratet,staatsangehorigkeit,geburtsdatum,street,road,lane,avenue,nagar,"
          "sector,colony,apartment,apartments,flat,floor,block,phase,strasse,str,weg,platz,allee,gasse,rue,"
          "via,calle,avenida,straat,gatan,gate,vej,ulica,page,confidential,available,request,upon,"
          "declaration,signature,hereby,objective,summary,profile,contact,details,personal,information,"
          "skills,references,hobbies,interests,certified,certificate,course,diploma,bachelor,master,degree,"
          "school,university,college,india,open,willing,relocate,location,locations,preferred,current,"
          "present,experience,years,year,total,curriculum,vitae,resume,lebenslauf,cv,bio,data,technical,"
          "key,core,career,work,history,employment,education,languages,projects,project,responsibilities,"
          "achievements,tools,environment,domain,client,role,team,duration,period,dear,sincerely,regards,"
          "thank,you,hiring");

} // namespace

bool IsJobWord(std::string_view folded) {
    if (In(kJobWords, folded))
        return true;
    // Compounds: "Softwareentwickler", "Webbutvecklare", "Testleder", "Projektleiterin".
    constexpr std::string_view kEndings[] = {
        "entwickler", "entwicklerin", "developer",    "engineer",      "ingenieur",     "ingenieurin",
        "leder",      "leiter",       "leiterin",     "manager",       "berater",       "beraterin",
        "utvecklare", "udvikler",     "utvikler",     "konsult",       "konsulent",     "analyst",
        "architekt",  "architektin",  "architect",    "designer",      "administrator", "tester",
        "programmer", "ontwikkelaar", "sviluppatore", "desarrollador", "programmierer", "techniker",
        "specialist", "spezialist",   "koordinator",  "referent",      "referentin"};
    for (const std::string_view ending : kEndings) {
        if (folded.size() > ending.size() && folded.substr(folded.size() - ending.size()) == ending)
            return true;
    }
    return false;
}
bool IsOrganizationWord(std::string_view folded) {
    return In(kOrganizationWords, folded);
}
bool IsLegalForm(std::string_view folded) {
    return In(kLegalForms, folded);
}
bool IsPlaceName(std::string_view folded) {
    return In(kPlaceNames, folded);
}
bool IsNameParticle(std::string_view folded) {
    return kParticles.count(folded) > 0;
}
bool IsHonorific(std::string_view folded) {
    return In(kHonorifics, folded);
}
bool IsCredential(std::string_view folded) {
    return In(kCredentials, folded);
}
bool IsResumeWord(std::string_view folded) {
    return In(kResumeWords, folded);
}
