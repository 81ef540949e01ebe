"""The course's strands that letters alone cannot find, as hand lists.

A unit is (level, unit rule, sections); a section is (section rule, the sound key its words
must have or None, "word:bit word:bit ..."). course.py adds them to their levels.
"""

# The bit of a compound is its second word, so that rows gather words that end alike
# (someone, anyone, everyone). A negative bit marks the letter a word leaves out: new has
# no k where knew has one.
STRANDS = [
    # The first words to break the vowel patterns are met long before the patterns are done.
    (1, "Some of the first words we read and write spell a vowel sound in a way the usual "
        "patterns do not: do, said, come, was. Learn each one by the letters that surprise.",
     [("o that says oo, alone or with e: do, to, who, move, shoe.", "oo",
       "do:o to:o into:o today:o who:o whom:o whose:o two:wo lose:o move:o moved:o moves:o "
       "prove:o proved:o improve:o movie:o movies:o shoe:oe shoes:oe canoe:oe"),
      ("o that says the u of sun: of, come, some, love, other.", "short_u",
       "of:o from:o one:o once:o come:o comes:o some:o done:o none:o does:oe love:o loved:o "
       "loves:o other:o others:o mother:o mothers:o brother:o brothers:o son:o won:o money:o"),
      ("Letters that say the e of bed: said, says, again, friend, any, head.", "short_e",
       "said:ai says:ay again:ai against:ai friend:ie friends:ie friendly:ie any:a many:a "
       "head:ea heads:ea ahead:ea bread:ea dead:ea deaf:ea ready:ea heavy:ea instead:ea "
       "breakfast:ea weather:ea feather:ea leather:ea breath:ea health:ea healthy:ea "
       "wealth:ea sweat:ea sweater:ea thread:ea spread:ea meant:ea steady:ea"),
      ("a after w that does not say the a of cat: was, what, want, water.", None,
       "was:a what:a want:a wants:a wanted:a water:a wash:a washed:a watch:a"),
      ("A final e that does not make the vowel say its name: have, give, live, gone, are, "
       "were, there, where.", None,
       "have:ave give:ive gives:ive live:ive gone:one are:are were:ere there:ere where:ere")]),

    # A long vowel that no silent e or vowel team announces.
    (2, "In some common words a vowel says its name although no silent e or second vowel "
        "follows it: kind, child, old, most, both. Others spell the long sound with letters "
        "that usually say something else: great, eye, buy.",
     [("i before nd or ld often says its name: kind, find, child, wild.", "long_i",
       "kind:i kindly:i kindness:i find:i finds:i mind:i minds:i behind:i blind:i grind:i "
       "remind:i child:i wild:i mild:i wildlife:i"),
      ("In these words o says its name although two consonants follow it: old, roll, bolt, "
       "most, both, only.", "long_o",
       "old:o older:o oldest:o cold:o colder:o gold:o golden:o hold:o holder:o told:o "
       "sold:o bold:o fold:o folded:o roll:o rolled:o scroll:o stroll:o troll:o toll:o "
       "poll:o bolt:o colt:o jolt:o most:o mostly:o almost:o post:o poster:o host:o "
       "ghost:o both:o only:o"),
      ("ea and eigh that say ay: great, break, steak, eight.", "long_a",
       "great:ea greater:ea greatest:ea greatly:ea break:ea breaks:ea breaking:ea steak:ea "
       "steaks:ea eight:eigh eighth:eigh eighty:eigh"),
      ("Letters that say the i of kind: eye, buy, guide, height.", "long_i",
       "eye:eye eyes:eye buy:uy buys:uy buying:uy guide:ui guides:ui height:eigh")]),

    # Where a syllable ends cannot be read from the letters, so the splits are given by hand.
    (2, "A syllable that ends with its vowel is open, and the vowel says its name: ba-by, "
        "ti-ger, o-pen, mu-sic. Split the word after the vowel and say the first syllable.",
     [("a at the end of the first syllable says its name.", "long_a",
       "baby:ba paper:pa bacon:ba table:ta cable:ca able:a label:la lady:la later:la "
       "razor:ra radar:ra acorn:a apron:a navy:na gravy:gra crazy:cra lazy:la basic:ba "
       "major:ma famous:fa station:sta nation:na agent:a bagel:ba raven:ra maple:ma "
       "fable:fa stable:sta cradle:cra"),
      ("e at the end of the first syllable says its name.", "long_e",
       "even:e equal:e evil:e fever:fe meter:me zero:ze hero:he secret:se "
       "recent:re decent:de legal:le region:re detour:de veto:ve prefix:pre cedar:ce"),
      ("i at the end of the first syllable says its name.", "long_i",
       "tiger:ti tiny:ti pilot:pi spider:spi silent:si final:fi item:i ivy:i bison:bi "
       "rival:ri virus:vi climate:cli diner:di pirate:pi giant:gi lion:li iris:i title:ti "
       "tidy:ti cider:ci minus:mi vital:vi diver:di driver:dri crisis:cri"),
      ("o at the end of the first syllable says its name.", "long_o",
       "open:o over:o robot:ro moment:mo total:to pony:po focus:fo bonus:bo solo:so "
       "photo:pho motor:mo broken:bro frozen:fro spoken:spo token:to program:pro poem:po "
       "poet:po ocean:o yoga:yo soda:so sofa:so cobra:co local:lo vocal:vo polar:po "
       "clover:clo stolen:sto chosen:cho"),
      ("u at the end of the first syllable says its name, or the oo of moon.", "oo",
       "music:mu human:hu student:stu ruler:ru pupil:pu unit:u tulip:tu duty:du humid:hu "
       "bugle:bu tuba:tu tuna:tu super:su humor:hu future:fu")]),

    (2, "A syllable that ends with a consonant is closed, and its vowel is short: rab-bit, "
        "nap-kin, bas-ket, pic-nic. Split the word between the consonants in the middle.",
     [("a in a closed first syllable is short.", "short_a",
       "rabbit:rab napkin:nap basket:bas happen:hap cactus:cac sandal:san traffic:traf "
       "plastic:plas magnet:mag attic:at candy:can tablet:tab gallon:gal "
       "ladder:lad saddle:sad paddle:pad batter:bat channel:chan"),
      ("e in a closed first syllable is short.", "short_e",
       "tennis:ten dentist:den pencil:pen helmet:hel velvet:vel lesson:les pepper:pep "
       "letter:let better:bet hectic:hec kennel:ken member:mem temper:tem tender:ten "
       "center:cen"),
      ("i in a closed first syllable is short.", "short_i",
       "picnic:pic kitten:kit mitten:mit insect:in dinner:din winter:win sister:sis "
       "signal:sig timber:tim victim:vic witness:wit picture:pic "
       "whisper:whis children:chil middle:mid riddle:rid silver:sil window:win"),
      ("o in a closed first syllable is short.", "short_o",
       "problem:prob contest:con cotton:cot bottom:bot common:com cobweb:cob goblin:gob "
       "hobby:hob doctor:doc lobster:lob bonnet:bon soccer:soc blossom:blos pollen:pol "
       "gossip:gos fossil:fos"),
      ("u in a closed first syllable is short.", "short_u",
       "puppet:pup muffin:muf trumpet:trum sunset:sun public:pub button:but butter:but "
       "sudden:sud tunnel:tun pumpkin:pump nutmeg:nut upset:up hundred:hun summer:sum "
       "number:num under:un supper:sup")]),

    # The rest of the common words whose letters surprise.
    (3, "Some common words use letters that usually spell another sound, or keep letters "
        "that are not heard: put, busy, door, sure, could, people. Learn the letters that "
        "surprise.",
     [("u that says the oo of book: put, push, pull, full, bush.", "oo",
       "put:u push:u pushed:u pull:u pulled:u full:u bush:u bushes:u bull:u "
       "pudding:u cushion:u butcher:u"),
      ("Letters that say the i of pin: busy, build, women, pretty, been.", "short_i",
       "busy:u business:u build:ui builds:ui building:ui builder:ui built:ui women:o "
       "pretty:e been:ee"),
      ("oor and our that say or: door, floor, your, four.", "or",
       "door:oor doors:oor floor:oor floors:oor your:our yours:our four:our "
       "fourth:our pour:our poured:our course:our court:our source:our mourn:our"),
      ("s that says sh: sure, sugar.", "sh",
       "sure:s surely:s sugar:s ensure:s insure:s insurance:s assure:ss"),
      ("Letters that are not heard: could, half, talk, answer, often, listen, climb.", None,
       "could:l would:l should:l half:l calf:l talk:l walk:l answer:w whole:w often:t "
       "listen:t climb:b hour:h honest:h guess:u guest:u guard:u"),
      ("More words to learn by their surprising letters: people, because, beautiful, heart, "
       "laugh, father, every.", None,
       "people:eo because:au beautiful:eau heart:ea laugh:au father:a every:ver "
       "parents:a clothes:th school:ch poor:oo")]),

    # The letters alone also fit wax, wary and worn; the sound check keeps the words that change.
    (3, "After w, and after the kw sound of qu, a vowel often changes its sound: a says o "
        "in want and squash, ar says or in war and quarter, and or says er in word and work.",
     [("a after w or qu sounds like the o of hot.", "short_o",
       "want:a wants:a wanted:a wanting:a wash:a washed:a washes:a washing:a washer:a "
       "watch:a watched:a watches:a watching:a wander:a wandered:a swan:a swans:a swamp:a "
       "swap:a swapped:a wasp:a wand:a wallet:a waffle:a swallow:a squash:a squad:a "
       "squat:a squabble:a quality:a quantity:a qualify:a squander:a watt:a swat:a wad:a "
       "wallow:a"),
      ("ar after w or qu sounds like or.", "or",
       "war:ar wars:ar warm:ar warmer:ar warmest:ar warmly:ar warmth:ar ward:ar award:ar "
       "awards:ar reward:ar rewards:ar warn:ar warned:ar warning:ar dwarf:ar swarm:ar "
       "quarter:ar quarters:ar quart:ar wart:ar toward:ar towards:ar warrior:ar warden:ar "
       "wardrobe:ar quarrel:ar thwart:ar"),
      ("or after w sounds like er.", "er",
       "word:or words:or work:or works:or worked:or working:or worker:or world:or "
       "worlds:or worm:or worms:or worse:or worst:or worth:or worthy:or worry:or "
       "worried:or worship:or homework:or network:or password:or artwork:or teamwork:or")]),

    # ear says er in too few words for the ear unit to teach it.
    (3, "The letters ear usually say the ear of near or the air of bear, but in some common "
        "words they say er: learn, early, earth, heard, search, pearl.",
     [("ear that sounds like er.", "er",
       "learn:ear learns:ear learned:ear learning:ear early:ear earlier:ear "
       "earliest:ear earth:ear earthquake:ear earthworm:ear earn:ear earns:ear earned:ear "
       "earnings:ear heard:ear search:ear searched:ear searches:ear searching:ear "
       "research:ear pearl:ear pearls:ear yearn:ear rehearse:ear rehearsal:ear "
       "earnest:ear unearth:ear")]),

    # o and ou say u in words of every level, but in too few for a pattern.
    (3, "The u sound of sun is sometimes spelled o, ou or even oo: front, month, young, "
        "touch, blood. Learn these words in families: touch, touched, touching.",
     [("o that says the u of sun.", "short_u",
       "month:o months:o front:o wonder:o wonderful:o nothing:o cover:o covered:o "
       "discover:o recover:o oven:o color:o colors:o colorful:o glove:o gloves:o dove:o "
       "above:o shove:o among:o honey:o monkey:o monkeys:o ton:o tons:o dozen:o sponge:o "
       "stomach:o compass:o comfort:o onion:o govern:o government:o smother:o lovely:o "
       "another:o become:o someone:o something:o"),
      ("ou that says the u of sun.", "short_u",
       "young:ou younger:ou youngest:ou youngster:ou touch:ou touched:ou touches:ou "
       "touching:ou country:ou countries:ou countryside:ou couple:ou couples:ou double:ou "
       "doubled:ou trouble:ou troubled:ou cousin:ou cousins:ou southern:ou enough:ou "
       "tough:ou tougher:ou rough:ou roughly:ou"),
      ("oo that says the u of sun: blood and flood.", "short_u",
       "blood:oo flood:oo floods:oo flooded:oo flooding:oo")]),

    # Only the meaning tells these spellings apart.
    (3, "Some words sound the same, or nearly the same, but are spelled differently and mean "
        "different things: there, their, they're; to, too, two. Learn each spelling together "
        "with its meaning.",
     [("there, their and they're.", None, "there:ere their:eir they're:'re"),
      ("to, too and two.", None, "to:o too:oo two:wo"),
      ("your and you're, its and it's, whose and who's.", None,
       "your:r you're:'re its:s it's:'s whose:se who's:'s"),
      ("hear and here, where and wear, than and then.", None,
       "hear:ear here:ere where:wh wear:ea than:a then:e"),
      ("A silent letter tells them apart: know and no, knew and new, whole and hole, hour "
       "and our.", None,
       "know:kn no:-kn knows:kn knew:kn new:-kn knot:kn not:-kn knight:kn night:-kn "
       "whole:wh hole:-wh hour:h our:-h"),
      ("Different letters for the same sounds: by, buy and bye; for and four; one and won; "
       "right and write.", None,
       "by:y buy:uy bye:ye for:or four:our one:e won:w right:igh write:wr writes:wr "
       "rights:igh")]),

    (3, "Many pairs of words sound the same but spell their vowel sound differently: see, "
        "sea; meet, meat; tail, tale; road, rode. The meaning tells you which spelling to "
        "write.",
     [("ee and ea.", None,
       "see:ee sea:ea meet:ee meat:ea week:ee weak:ea heel:ee heal:ea steel:ee steal:ea "
       "peek:ee peak:ea beet:ee beat:ea flee:ee flea:ea bee:ee be:e deer:ee dear:ea "
       "feet:ee feat:ea"),
      ("ai, a-e, ay, ea, ei, ey and eigh.", None,
       "tail:ai tale:ale mail:ai male:ale plain:ai plane:ane pain:ai pane:ane sail:ai "
       "sale:ale main:ai mane:ane maid:ai made:ade wait:ai weight:eigh way:ay weigh:eigh "
       "ate:ate eight:eigh break:ea brake:ake steak:ea stake:ake waist:ai waste:aste "
       "great:ea grate:ate pray:ay prey:ey rain:ai reign:eig rein:ei"),
      ("air, are and ear.", None,
       "pair:air pear:ear bare:are bear:ear stair:air stare:are hair:air hare:are fair:air "
       "fare:are"),
      ("Other vowel spellings: road and rode, blue and blew, threw and through.", None,
       "road:oa rode:ode toe:oe tow:ow so:o sew:ew blue:ue blew:ew threw:ew "
       "through:ough flew:ew flu:u groan:oa grown:ow throne:one thrown:own loan:oa "
       "lone:one sole:ole soul:oul role:ole roll:oll board:oar bored:ore sore:ore "
       "soar:oar"),
      ("More pairs: son and sun, some and sum, flour and flower, heard and herd, piece and "
       "peace.", None,
       "son:o sun:u some:ome sum:um flour:our flower:ower heard:ea herd:e piece:ie "
       "peace:ea fir:i fur:u berry:e bury:u tide:ide tied:ie die:ie dye:ye "
       "paws:aw pause:au warn:a worn:o")]),

    # Beside the ch of chin, taught in level 1.
    (4, "In some words that came from French, ch says sh: chef, machine, parachute, "
        "brochure.",
     [("ch at the start of a word that says sh.", "sh",
       "chef:ch chefs:ch chute:ch chutes:ch chic:ch chalet:ch chauffeur:ch champagne:ch "
       "chandelier:ch chagrin:ch chivalry:ch"),
      ("ch inside or at the end of a word that says sh.", "sh",
       "machine:ch machines:ch parachute:ch brochure:ch brochures:ch "
       "mustache:ch crochet:ch quiche:ch ricochet:ch "
       "machinist:ch cache:ch")]),

    # Apostrophe words are not in the word list; they come only from here.
    (5, "A contraction joins two words into one and puts an apostrophe where letters are "
        "left out: do not, don't; it is, it's; we will, we'll. The apostrophe stands for the "
        "missing letters, not for the space between the words.",
     [("not becomes n't: do not, don't; cannot, can't; will not, won't.", None,
       "don't:n't doesn't:n't didn't:n't isn't:n't aren't:n't wasn't:n't weren't:n't "
       "haven't:n't hasn't:n't hadn't:n't couldn't:n't wouldn't:n't shouldn't:n't "
       "mustn't:n't can't:n't won't:n't"),
      ("is, has and us become 's: it is, it's; she has, she's; let us, let's.", None,
       "it's:'s that's:'s there's:'s here's:'s what's:'s who's:'s where's:'s he's:'s "
       "she's:'s how's:'s let's:'s"),
      ("are becomes 're: we are, we're.", None, "we're:'re you're:'re they're:'re"),
      ("will becomes 'll: we will, we'll.", None,
       "we'll:'ll you'll:'ll they'll:'ll she'll:'ll he'll:'ll it'll:'ll that'll:'ll "
       "who'll:'ll"),
      ("have becomes 've: we have, we've; could have, could've, never could of.", None,
       "we've:'ve you've:'ve they've:'ve could've:'ve would've:'ve should've:'ve"),
      ("had and would become 'd: we had, we'd; they would, they'd.", None,
       "we'd:'d you'd:'d they'd:'d she'd:'d he'd:'d who'd:'d")]),

    (5, "An apostrophe and s show who owns something: the dog's bone, the child's coat. A "
        "plural that ends in s takes only the apostrophe (the girls' coats), and a plural "
        "without s takes 's (the children's toys).",
     [("One owner adds 's, even when the word ends in s: the dog's bone, the boss's desk.",
       None,
       "dog's:'s cat's:'s boy's:'s girl's:'s child's:'s baby's:'s mother's:'s father's:'s "
       "teacher's:'s friend's:'s man's:'s woman's:'s person's:'s today's:'s world's:'s "
       "someone's:'s everyone's:'s nobody's:'s boss's:'s class's:'s"),
      ("A plural that ends in s adds only the apostrophe: the girls' coats, the bosses' "
       "desks.", None,
       "dogs':s' cats':s' boys':s' girls':s' babies':s' teachers':s' parents':s' "
       "friends':s' students':s' players':s' ladies':s' horses':s' workers':s' "
       "brothers':s' sisters':s' neighbors':s' families':s' bosses':s' classes':s'"),
      ("A plural that does not end in s adds 's: the children's toys, the women's team.",
       None, "children's:'s men's:'s women's:'s people's:'s mice's:'s"),
      ("Owner words never take an apostrophe: its, hers, ours, yours, theirs, whose.", None,
       "its:-'s hers:-'s ours:-'s yours:-'s theirs:-'s whose:-'s")]),

    (5, "A compound word is two whole words joined into one, and each keeps all its letters: "
        "sun + shine = sunshine, foot + ball = football, every + one = everyone. Spell the "
        "first word, then the second, just as each is spelled alone.",
     [("some, any, every and no joined to one, thing, body, where or how.", None,
       "someone:one something:thing somebody:body somewhere:where somehow:how "
       "sometimes:times anyone:one anything:thing anybody:body anywhere:where anyway:way "
       "everyone:one everything:thing everybody:body everywhere:where nobody:body "
       "nothing:thing nowhere:where"),
      ("self and selves joined to my, your, him, her, it, our and them.", None,
       "myself:self yourself:self himself:self herself:self itself:self ourselves:selves "
       "yourselves:selves themselves:selves"),
      ("Small words joined: however, whatever, without, into, upon, cannot.", None,
       "however:ever whatever:ever whenever:ever whoever:ever forever:ever "
       "without:out throughout:out within:in into:to onto:to upon:on cannot:not maybe:be"),
      ("Things, places and people: football, classroom, sunshine, birthday, grandmother.", None,
       "sunshine:shine sunset:set sunrise:rise sunlight:light sunflower:flower "
       "moonlight:light daylight:light rainbow:bow raincoat:coat snowball:ball "
       "snowflake:flake football:ball baseball:ball basketball:ball birthday:day "
       "weekend:end afternoon:noon bedtime:time lunchtime:time classroom:room bedroom:room "
       "bathroom:room playground:ground homework:work notebook:book "
       "pancake:cake popcorn:corn toothbrush:brush toothpaste:paste goldfish:fish "
       "starfish:fish butterfly:fly ladybug:bug grasshopper:hopper airplane:plane "
       "airport:port railroad:road newspaper:paper backpack:pack "
       "fireplace:place firefighter:fighter keyboard:board skateboard:board "
       "cardboard:board postcard:card suitcase:case grandmother:mother grandfather:father "
       "grandparents:parents upstairs:stairs downstairs:stairs inside:side outside:side "
       "seashell:shell seashore:shore"),
      ("When the first word ends with the letter the second starts with, that letter is "
       "written twice: roommate, earring, bookkeeper.", None,
       "roommate:mate roommates:mates earring:ring earrings:rings bookkeeper:keeper "
       "bookkeepers:keepers bookkeeping:keeping withhold:hold withheld:held "
       "withholding:holding granddaughter:daughter granddaughters:daughters "
       "nighttime:time newsstand:stand newsstands:stands hitchhike:hike "
       "hitchhiker:hiker hitchhiking:hiking dumbbell:bell dumbbells:bells "
       "taillight:light")]),

    (5, "Some nouns do not add s to make a plural. They change their vowel sound (man, men; "
        "foot, feet; mouse, mice), add en (child, children; ox, oxen), change altogether (person, "
        "people) or stay the same (sheep, deer).",
     [("The vowel sound changes: man, men; foot, feet; tooth, teeth; mouse, mice.", None,
       "men:men women:men gentlemen:men businessmen:men fishermen:men feet:ee teeth:ee "
       "geese:ee mice:ice"),
      ("en or ren is added, or a new word is used: ox, oxen; child, children; person, "
       "people.", None,
       "oxen:en children:ren grandchildren:ren schoolchildren:ren people:ople"),
      ("The plural is the same as the singular: one sheep, two sheep.", None,
       "sheep:-sheeps deer:-deers moose:-mooses bison:-bisons salmon:-salmons "
       "trout:-trouts aircraft:-aircrafts spacecraft:-spacecrafts offspring:-offsprings")]),

    (8, "Some words end in gue, which says g, or que, which says k: league, tongue, vague; "
        "unique, antique, technique. The u and the e are not heard; most of these words came "
        "into English through French.",
     [("gue at the end of a word says the g of bag: league, vague, plague. In tongue it "
       "ends the ng sound.", "g_end",
       "league:gue leagues:gue tongue:gue tongues:gue vague:gue vaguely:gue plague:gue "
       "plagued:gue rogue:gue fatigue:gue fatigued:gue dialogue:gue intrigue:gue "
       "intrigued:gue colleague:gue colleagues:gue vogue:gue prologue:gue "
       "epilogue:gue monologue:gue"),
      ("que at the end of a word says k.", "k_end",
       "unique:que uniquely:que antique:que antiques:que technique:que techniques:que "
       "boutique:que physique:que critique:que opaque:que plaque:que mosque:que "
       "mosques:que picturesque:que grotesque:que clique:que oblique:que baroque:que "
       "torque:que")]),

    (11, "Some words that sound the same or nearly the same are easy to confuse in longer "
         "writing. Tie each spelling to its meaning: affect, effect; principal, principle; "
         "stationary, stationery.",
     [("affect and effect, accept and except, advice and advise.", None,
       "affect:af affects:af affected:af effect:ef effects:ef accept:acc accepts:acc "
       "accepted:acc except:exc advice:ice advise:ise advised:ise"),
      ("principal and principle, stationary and stationery, complement and compliment.",
       None,
       "principal:al principals:al principle:le principles:le stationary:ary "
       "stationery:ery complement:ple complementary:ple compliment:pli compliments:pli "
       "complimentary:pli"),
      ("weather and whether, which and witch, whale and wail.", None,
       "weather:ea whether:wh which:wh witch:tch whale:wh wail:ai"),
      ("A past tense and a word that sounds like it: passed and past, allowed and aloud, "
       "guessed and guest.", None,
       "passed:ssed past:st allowed:llowed aloud:loud guessed:ssed guest:st missed:ssed "
       "mist:st banned:nned band:nd"),
      ("c and s: cereal and serial, council and counsel, presence and presents, sight, "
       "site and cite.", None,
       "cereal:ce serial:se council:cil counsel:sel cell:c sell:s cent:c sent:s cellar:ce "
       "seller:se ceiling:cei "
       "sealing:sea patience:ce patients:ts presence:ce presents:ts sight:igh site:ite "
       "cite:c scene:sc seen:ee"),
      ("Other sets: morning and mourning, horse and hoarse, minor and miner.", None,
       "morning:or mourning:our horse:or hoarse:oar course:ou coarse:oa border:or "
       "boarder:oar altar:ar alter:er minor:or miner:er idle:le idol:ol medal:al "
       "meddle:ddle lessen:en lesson:on profit:fit prophet:phet dual:ua duel:ue vain:ai "
       "vein:ei vane:ane")]),

    (12, "In many words the c after s is not heard, most often before e or i: science, scene, "
         "fascinate, descend, and also muscle. Most of these words came from Latin. The "
         "sound is s, but both letters are written.",
     [("sc at the start of a word.", "silent_c",
       "science:sc sciences:sc scientist:sc scientists:sc scientific:sc scene:sc scenes:sc "
       "scenery:sc scenic:sc scent:sc scents:sc scissors:sc scenario:sc"),
      ("sc inside a word.", "silent_c",
       "muscle:sc muscles:sc fascinate:sc fascinated:sc fascinating:sc fascination:sc "
       "descend:sc descended:sc descending:sc descendant:sc descent:sc ascend:sc "
       "ascent:sc discipline:sc disciplined:sc disciple:sc crescent:sc adolescent:sc "
       "adolescence:sc fluorescent:sc susceptible:sc discern:sc miscellaneous:sc "
       "ascertain:sc reminiscent:sc transcend:sc")]),

    (13, "Some nouns from Latin and Greek keep their own plurals: cactus, cacti; crisis, "
         "crises; criterion, criteria; larva, larvae; index, indices.",
     [("us becomes i: cactus, cacti; fungus, fungi.", None,
       "cacti:i fungi:i nuclei:i stimuli:i radii:i"),
      ("is becomes es: crisis, crises; analysis, analyses.", None,
       "crises:es analyses:es theses:es hypotheses:es oases:es parentheses:es "
       "diagnoses:es emphases:es synopses:es"),
      ("on and um become a: criterion, criteria; bacterium, bacteria.", None,
       "criteria:a phenomena:a bacteria:a curricula:a strata:a "
       "media:a"),
      ("a becomes ae: larva, larvae; antenna, antennae.", None,
       "larvae:ae antennae:ae vertebrae:ae algae:ae formulae:ae"),
      ("ex and ix become ices: index, indices; appendix, appendices.", None,
       "indices:ices appendices:ices vertices:ices matrices:ices")]),
]
